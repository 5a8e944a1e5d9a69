#!/bin/sh
# End to end: uidemo on its own virtual X server, driven with real X input. Opens the control
# dialog with its accelerator (F5), closes it with Escape, copies the active window's text to
# the X clipboard (Ctrl+C, checked with xclip), drags the left window's text into the right
# one with the mouse and finds both texts in one window (Ctrl+F6 walks the windows), and quits
# with Ctrl+Q; the program must end with exit code 0. Exit 77 (skipped) when Xvfb or xdotool
# is missing. The open dialog must be painted on the screen (a light area, not black).
# usage: UiDemoE2E.sh UIDEMO OUTDIR
set -u
UIDEMO=$1
OUTDIR=$2
HERE=$(dirname "$0")
. "$HERE/../../support/e2e.sh"
e2e_need Xvfb xdotool
mkdir -p "$OUTDIR"
# The screen memory goes to a file: screenshots are read from it, since `xwd -root` shows the
# later top-level windows of a Qt program black although the screen holds their pixels.
mkdir -p "$OUTDIR/fb"
e2e_xvfb -fbdir "$OUTDIR/fb"
mkdir -m 700 "$WORK/run"
export XDG_RUNTIME_DIR="$WORK/run"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

"$UIDEMO" >"$OUTDIR/uidemo.log" 2>&1 &
APP_PID=$!
frame_up() { kill -0 "$APP_PID" && xdotool search --name "UI-Demo"; }
poll 30 frame_up || fail "no frame window (see uidemo.log)"
FRAME=$(xdotool search --name "UI-Demo" | head -1)

xdotool windowfocus --sync "$FRAME"
xdotool key F5
poll 30 xdotool search --name "Alle Steuerelemente" || fail "F5 did not open the dialog"
DIALOG=$(xdotool search --name "Alle Steuerelemente" | head -1)
if command -v python3 >/dev/null 2>&1; then
  # The dialog must be painted on the screen (light), not left a black rectangle.
  SCREEN_FILE="$OUTDIR/fb/Xvfb_screen0"
  painted() {
    eval "$(xdotool getwindowgeometry --shell "$DIALOG")"
    python3 "$HERE/xwd2png.py" --light "$SCREEN_FILE" "$X" "$Y" "$WIDTH" "$HEIGHT"
  }
  poll 30 painted || { python3 "$HERE/xwd2png.py" "$SCREEN_FILE" "$OUTDIR/uidemo.png"
                       fail "the dialog is not painted on the screen (see uidemo.png)"; }
  python3 "$HERE/xwd2png.py" "$SCREEN_FILE" "$OUTDIR/uidemo.png"
fi
xdotool windowfocus --sync "$DIALOG"
xdotool key Escape
dialog_gone() { ! xdotool search --name "Alle Steuerelemente"; }
poll 30 dialog_gone || fail "Escape did not close the dialog"
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended with the dialog"

if command -v xclip >/dev/null 2>&1; then
  xdotool windowfocus --sync "$FRAME"
  xdotool key ctrl+c
  copied() { xclip -selection clipboard -o 2>/dev/null | grep -q "Grüße aus dem"; }
  poll 30 copied || fail "Ctrl+C put no text with umlauts on the X clipboard"

  # A real drag from the left window into the right one (the two are tiled side by side).
  eval "$(xdotool getwindowgeometry --shell "$FRAME")"
  xdotool mousemove $((X + 100)) $((Y + 80)) mousedown 1
  for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove --sync $((X + 100 + step * WIDTH / 12)) $((Y + 80 + step * 10))
  done
  xdotool mouseup 1
  both() {
    xclip -selection clipboard -o 2>/dev/null >"$OUTDIR/clip.txt"
    grep -q "Windows-Zeichensatz" "$OUTDIR/clip.txt" && grep -q "Grüße aus dem DOS" "$OUTDIR/clip.txt"
  }
  found=no
  for attempt in 1 2; do
    xdotool key ctrl+c
    if poll 3 both; then found=yes; break; fi
    xdotool key ctrl+F6
  done
  [ $found = yes ] || fail "the dragged text did not arrive in the other window"
fi

xdotool windowfocus --sync "$FRAME"
xdotool key ctrl+q
ended() { ! kill -0 "$APP_PID"; }
poll 30 ended || fail "Ctrl+Q did not end the program"
wait "$APP_PID"
CODE=$?
APP_PID=""
[ "$CODE" -eq 0 ] || fail "exit code $CODE"
echo "PASS"
