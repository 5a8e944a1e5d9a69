#!/bin/sh
# End to end: the real zkedit32 on its own virtual X server and the system clipboard. Text
# with umlauts put on the clipboard by xclip is pasted with Ctrl+V into a window in DOS mode
# (/D) and saved with Ctrl+S: the file holds the DOS code page's bytes. A second file opened
# in the running editor is copied with Ctrl+A, Ctrl+C and read back by xclip as UTF-8, then
# doubled through an extended-clipboard slot.
# Exit 77 (skipped) when Xvfb, xdotool or xclip is missing.
# usage: ClipE2E.sh ZKEDIT32 OUTDIR
set -u
ZKEDIT=$1
OUTDIR=$2
. "$(dirname "$0")/../../support/e2e.sh"
e2e_need Xvfb xdotool xclip
rm -rf "$OUTDIR"
mkdir -p "$OUTDIR"
e2e_editor "$ZKEDIT"
e2e_xvfb -fbdir "$OUTDIR"

hex() { od -An -tx1 "$1" | tr -d ' \n'; }

# Paste into a DOS-mode window.
DOS="$WORK/docs/dos.txt"
printf 'x\r\n' >"$DOS"
"$WORK/bin/zkedit32" /D "$DOS" >"$OUTDIR/zkedit32.log" 2>&1 &
APP_PID=$!
frame_up() { xdotool search --name "^Z&K Quellwerk"; }
poll 30 frame_up || fail "no frame window (see zkedit32.log)"
FRAME=$(xdotool search --name "^Z&K Quellwerk" | head -1)
xdotool windowactivate --sync "$FRAME" 2>/dev/null || xdotool windowfocus --sync "$FRAME"
printf 'Grüße' | xclip -i -selection clipboard
on_clipboard() { [ "$(xclip -o -selection clipboard)" = "Grüße" ]; }
poll 30 on_clipboard || fail "xclip did not take the text"
# Ctrl+V is pressed again only while the document has not changed on disk (the first keys
# may come before the window has the focus).
changed() { [ "$(hex "$DOS")" != "780d0a" ]; }
tries=0
until changed; do
  tries=$((tries + 1))
  [ $tries -gt 6 ] && fail "Ctrl+V and Ctrl+S changed nothing"
  xdotool key ctrl+v
  xdotool key ctrl+s
  poll 5 changed && break
done
# G r ü ß e in code page 850, then the old line.
[ "$(hex "$DOS")" = "477281e165780d0a" ] \
  || { od -c "$DOS" >"$OUTDIR/dos.txt"; fail "not the DOS bytes (see dos.txt)"; }

# Copy from a window in the Windows code page, opened in the running editor.
WIN="$WORK/docs/win.txt"
printf 'Gr\374\337e Welt' >"$WIN"
# The second start hands the file over and ends; the copy below is tried again until the
# new window has the focus.
"$WORK/bin/zkedit32" "$WIN" >>"$OUTDIR/zkedit32.log" 2>&1 &
xdotool windowactivate --sync "$FRAME" 2>/dev/null || xdotool windowfocus --sync "$FRAME"
copied() { [ "$(xclip -o -selection clipboard)" = "Grüße Welt" ]; }
tries=0
until copied; do
  tries=$((tries + 1))
  [ $tries -gt 6 ] && { xclip -o -selection clipboard | od -c >"$OUTDIR/clipboard.txt"; fail "Ctrl+C did not reach the clipboard (see clipboard.txt)"; }
  xdotool key ctrl+a
  xdotool key ctrl+c
  poll 5 copied && break
done

# The extended clipboard's accelerators: Alt+Shift+3 takes the selection into slot 3, Alt+3
# inserts it at the end; Ctrl+S shows it on disk.
xdotool key alt+shift+3
xdotool key ctrl+End
xdotool key alt+3
xdotool key ctrl+s
slotted() { [ "$(hex "$WIN")" = "$(printf 'Gr\374\337e WeltGr\374\337e Welt' | od -An -tx1 | tr -d ' \n')" ]; }
poll 30 slotted || { od -c "$WIN" >"$OUTDIR/win.txt"; fail "Alt+Shift+3 and Alt+3 did not copy and insert (see win.txt)"; }
echo "PASS"
