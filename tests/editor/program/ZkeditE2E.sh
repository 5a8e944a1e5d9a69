#!/bin/sh
# End to end: the real zkedit32 on its own virtual X server, driven with real X input. Opens
# a file from the command line, types, saves with Ctrl+S and compares the file on disk byte
# for byte; a second start hands its file to the first and exits 0 while one frame exists;
# closing with unsaved changes answers the save prompt (No) and the program ends with 0.
# Without a display the program says so on standard error and exits non-zero. Exit 77
# (skipped) when Xvfb or xdotool is missing.
# usage: ZkeditE2E.sh ZKEDIT32 OUTDIR
set -u
ZKEDIT=$1
OUTDIR=$2
. "$(dirname "$0")/../../support/e2e.sh"
e2e_need Xvfb xdotool
rm -rf "$OUTDIR"
mkdir -p "$OUTDIR"
# The program runs from a copy of its own, so that its settings file lands in the scratch
# directory, with a private runtime and state directory.
e2e_editor "$ZKEDIT"

# Without a display: one line on standard error, exit code not 0.
env -u DISPLAY "$WORK/bin/zkedit32" >"$OUTDIR/nodisplay.out" 2>"$OUTDIR/nodisplay.err"
CODE=$?
[ "$CODE" -ne 0 ] || fail "exit code 0 without a display"
[ "$(wc -l <"$OUTDIR/nodisplay.err")" -eq 1 ] || fail "not one line on stderr without a display"
"$WORK/bin/zkedit32" --help | grep -q "/Hx" || fail "--help does not describe /H"

# Screenshots come from the screen memory in a file (`xwd -root` shows later top-level
# windows of a Qt program black).
mkdir -p "$OUTDIR/fb"
SCREEN_FILE="$OUTDIR/fb/Xvfb_screen0"
e2e_xvfb -fbdir "$OUTDIR/fb"

DOC="$WORK/docs/Datei mit Blanks.txt"
printf 'erste Zeile\r\nzweite Zeile\r\n' >"$DOC"
# Unquoted: the name reaches the program in three parts and is joined again.
"$WORK/bin/zkedit32" $WORK/docs/Datei mit Blanks.txt /L2 >"$OUTDIR/zkedit32.log" 2>&1 &
APP_PID=$!
frame_up() { kill -0 "$APP_PID" && xdotool search --name "^Z&K Quellwerk"; }
poll 30 frame_up || { kill -0 "$APP_PID" 2>/dev/null && fail "no frame window; the program runs (see zkedit32.log)"
                      wait "$APP_PID"; fail "no frame window; the program ended with $? (see zkedit32.log)"; }
FRAME=$(xdotool search --name "^Z&K Quellwerk" | head -1)
xdotool windowactivate --sync "$FRAME" 2>/dev/null || xdotool windowfocus --sync "$FRAME"
# A start without arguments only asks the running editor to come up; its answer comes from
# the frame's thread once it has opened the file and taken the focus, so no key is lost.
"$WORK/bin/zkedit32" >/dev/null 2>&1 || fail "the running editor did not answer"
# The caret stands on line 2, column 1: type there, then save with the accelerator.
xdotool type --delay 20 "Hallo "
xdotool key ctrl+s
saved() { [ "$(od -An -c "$DOC" | tr -d ' \n')" = "$(printf 'erste Zeile\r\nHallo zweite Zeile\r\n' | od -An -c | tr -d ' \n')" ]; }
poll 30 saved || { od -c "$DOC" | head; fail "the saved file differs"; }

# A second start hands its file over and ends with 0; still one frame.
OTHER="$WORK/docs/other.txt"
printf 'andere\r\n' >"$OTHER"
"$WORK/bin/zkedit32" "$OTHER" >"$OUTDIR/second.log" 2>&1
CODE=$?
[ "$CODE" -eq 0 ] || fail "the second start ended with $CODE"
[ "$(xdotool search --name "^Z&K Quellwerk" | wc -l)" -le 2 ] || fail "more than one frame"
# The second start waited for the first to open its file, which is now the active window:
# typing and Ctrl+S land in it.
xdotool windowactivate --sync "$FRAME" 2>/dev/null || xdotool windowfocus --sync "$FRAME"
"$WORK/bin/zkedit32" >/dev/null 2>&1 || fail "the running editor did not answer"
xdotool type --delay 20 "neu "
xdotool key ctrl+s
other_saved() { [ "$(od -An -c "$OTHER" | tr -d ' \n')" = "$(printf 'neu andere\r\n' | od -An -c | tr -d ' \n')" ]; }
poll 30 other_saved || { od -c "$OTHER" | head; fail "the handed-over file was not the active window"; }
XWD2PNG="$(dirname "$0")/../../tools/uidemo/xwd2png.py"
command -v python3 >/dev/null 2>&1 && python3 "$XWD2PNG" "$SCREEN_FILE" "$OUTDIR/zkedit32.png"

# Unsaved text, then the frame closes: the save prompt comes, No ends without saving.
xdotool windowactivate --sync "$FRAME" 2>/dev/null || xdotool windowfocus --sync "$FRAME"
xdotool type --delay 20 "xyz"
# "&Datei" / "&Beenden" through the menu bar's mnemonics (no window manager here).
mapped() { xdotool search --onlyvisible --pid "$APP_PID" | wc -l; }
BEFORE=$(mapped)
xdotool key alt+d
menu_open() { [ "$(mapped)" -gt "$BEFORE" ]; }
poll 30 menu_open || fail "Alt+D opened no menu"
xdotool key b
prompt() { xdotool search --name "Datei schlie"; }
poll 30 prompt || fail "no save prompt"
PROMPT=$(xdotool search --name "Datei schlie" | head -1)
xdotool windowactivate --sync "$PROMPT" 2>/dev/null || xdotool windowfocus --sync "$PROMPT"
if command -v python3 >/dev/null 2>&1; then
  prompt_painted() {
    eval "$(xdotool getwindowgeometry --shell "$PROMPT")"
    python3 "$XWD2PNG" --light "$SCREEN_FILE" "$X" "$Y" "$WIDTH" "$HEIGHT"
  }
  poll 30 prompt_painted || { python3 "$XWD2PNG" "$SCREEN_FILE" "$OUTDIR/prompt.png"
                              fail "the save prompt is not painted on the screen (see prompt.png)"; }
  python3 "$XWD2PNG" "$SCREEN_FILE" "$OUTDIR/prompt.png"
fi
# "Nein" is the button after the focused "Ja".
xdotool key Tab space
ended() { ! kill -0 "$APP_PID"; }
poll 30 ended || fail "the program did not end after the prompt"
wait "$APP_PID"
CODE=$?
APP_PID=""
[ "$CODE" -eq 0 ] || fail "exit code $CODE"
other_saved || fail "the unsaved change was written"
[ -f "$WORK/bin/ZKEdit32.Ini" ] || fail "no settings written"
echo "PASS"
