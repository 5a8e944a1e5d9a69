#!/bin/sh
# End to end: the real zkedit32 on its own virtual X server. Ctrl+F opens "Suchen", the
# text is typed and Enter finds it; typing then replaces the selected hit, and Ctrl+S shows
# on disk that the selection stood exactly on the text found. Exit 77 (skipped) when Xvfb or
# xdotool is missing.
# usage: FindE2E.sh ZKEDIT32 OUTDIR
set -u
ZKEDIT=$1
OUTDIR=$2
. "$(dirname "$0")/../../support/e2e.sh"
e2e_need Xvfb xdotool
rm -rf "$OUTDIR"
mkdir -p "$OUTDIR"
e2e_editor "$ZKEDIT"
e2e_xvfb

DOC="$WORK/docs/suche.txt"
printf 'eins zwei\r\ndrei Zielwort vier\r\n' >"$DOC"
"$WORK/bin/zkedit32" "$DOC" >"$OUTDIR/zkedit32.log" 2>&1 &
APP_PID=$!
frame_up() { kill -0 "$APP_PID" && xdotool search --name "^Z&K Quellwerk"; }
poll 30 frame_up || fail "no frame window (see zkedit32.log)"
FRAME=$(xdotool search --name "^Z&K Quellwerk" | head -1)
xdotool windowactivate --sync "$FRAME" 2>/dev/null || xdotool windowfocus --sync "$FRAME"

dialog() { xdotool search --onlyvisible --name "^Suchen$"; }
# Pressed again until the document is there to take it (the dialog's own keys ignore it).
press_find() { dialog || { xdotool key ctrl+f; dialog; }; }
poll 30 press_find || fail "Ctrl+F did not open the dialog"
DIALOG=$(dialog | head -1)
xdotool windowactivate --sync "$DIALOG" 2>/dev/null || xdotool windowfocus --sync "$DIALOG"
# The field starts with the word at the cursor; it is selected and typed over.
xdotool key End shift+Home
xdotool type --delay 20 "Zielwort"
xdotool key Return
closed() { ! dialog; }
poll 20 closed || fail "the dialog stayed open"
xdotool windowactivate --sync "$FRAME" 2>/dev/null || xdotool windowfocus --sync "$FRAME"
xdotool type --delay 20 "X"
xdotool key ctrl+s
saved() { [ "$(od -An -c "$DOC" | tr -d ' \n')" = "$(printf 'eins zwei\r\ndrei X vier\r\n' | od -An -c | tr -d ' \n')" ]; }
poll 20 saved || { od -c "$DOC" > "$OUTDIR/doc.txt"; fail "the hit was not selected (see doc.txt)"; }
echo "PASS"
