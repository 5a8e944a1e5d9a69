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
for tool in Xvfb xdotool; do
  command -v $tool >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done
mkdir -p "$OUTDIR"
RUNTIME=$(mktemp -d)
XVFB_PID=""
DEMO_PID=""
cleanup() {
  [ -n "$DEMO_PID" ] && kill "$DEMO_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$RUNTIME"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; exit 1; }

# poll SECONDS COMMAND...: runs the command every tenth of a second until it succeeds.
poll() {
  limit=$(( $1 * 10 )); shift
  n=0
  while [ $n -lt $limit ]; do
    "$@" >/dev/null 2>&1 && return 0
    n=$((n + 1))
    sleep 0.1
  done
  return 1
}

# A display number nobody uses.
NUM=90
while [ -e /tmp/.X$NUM-lock ] || [ -e /tmp/.X11-unix/X$NUM ]; do NUM=$((NUM + 1)); done
# The screen memory goes to a file: screenshots are read from it, since `xwd -root` shows the
# later top-level windows of a Qt program black although the screen holds their pixels.
mkdir -p "$OUTDIR/fb"
Xvfb :$NUM -screen 0 1024x768x24 -nolisten tcp -fbdir "$OUTDIR/fb" >"$OUTDIR/xvfb.log" 2>&1 &
XVFB_PID=$!
export DISPLAY=:$NUM
# Ready once a client gets through, not when the socket file appears.
poll 20 xdotool getdisplaygeometry || fail "Xvfb did not start"
kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb ended (display :$NUM taken?)"
export XDG_RUNTIME_DIR="$RUNTIME"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

"$UIDEMO" >"$OUTDIR/uidemo.log" 2>&1 &
DEMO_PID=$!
frame_up() { kill -0 "$DEMO_PID" && xdotool search --name "UI-Demo"; }
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
  poll 10 painted || { python3 "$HERE/xwd2png.py" "$SCREEN_FILE" "$OUTDIR/uidemo.png"
                       fail "the dialog is not painted on the screen (see uidemo.png)"; }
  python3 "$HERE/xwd2png.py" "$SCREEN_FILE" "$OUTDIR/uidemo.png"
fi
xdotool windowfocus --sync "$DIALOG"
xdotool key Escape
dialog_gone() { ! xdotool search --name "Alle Steuerelemente"; }
poll 30 dialog_gone || fail "Escape did not close the dialog"
kill -0 "$DEMO_PID" 2>/dev/null || fail "the program ended with the dialog"

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
ended() { ! kill -0 "$DEMO_PID"; }
poll 30 ended || fail "Ctrl+Q did not end the program"
wait "$DEMO_PID"
CODE=$?
DEMO_PID=""
[ "$CODE" -eq 0 ] || fail "exit code $CODE"
echo "PASS"
