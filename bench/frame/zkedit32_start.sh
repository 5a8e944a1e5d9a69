#!/bin/sh
# Benchmark of zkedit32 on its own virtual X server: start until the frame is mapped and until
# it is ready (empty and with a file of 1,000,000 lines), and the hand-over of a second start
# (from its launch until it has exited, which it does once the first instance has opened the
# file).
# usage: zkedit32_start.sh ZKEDIT32 [RUNS]
set -u
ZKEDIT=$1
RUNS=${2:-5}
for tool in Xvfb xev xdotool python3; do
  command -v $tool >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done
WORK=$(mktemp -d)
XVFB_PID=""
XEV_PID=""
cleanup() {
  [ -f "$WORK/pid" ] && kill "$(cat "$WORK/pid")" 2>/dev/null
  [ -n "$XEV_PID" ] && kill "$XEV_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT
mkdir -p "$WORK/bin" "$WORK/run" "$WORK/state"
chmod 700 "$WORK/run"
cp "$ZKEDIT" "$WORK/bin/zkedit32"
cp "$ZKEDIT-ui" "$WORK/bin/zkedit32-ui"  # the window program it starts
export XDG_RUNTIME_DIR="$WORK/run" XDG_STATE_HOME="$WORK/state" XDG_CONFIG_HOME="$WORK/config"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
python3 -c "
import sys
with open('$WORK/big.txt', 'w') as f:
    for i in range(1000000):
        f.write('Zeile %d mit etwas Text, damit sie eine uebliche Laenge hat.\r\n' % i)
"
printf 'klein\r\n' >"$WORK/small.txt"
NUM=97
while [ -e /tmp/.X$NUM-lock ] || [ -e /tmp/.X11-unix/X$NUM ]; do NUM=$((NUM + 1)); done
Xvfb :$NUM -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
XVFB_PID=$!
export DISPLAY=:$NUM
n=0
until xdotool getdisplaygeometry >/dev/null 2>&1; do
  n=$((n + 1)); [ $n -gt 200 ] && { echo "Xvfb did not start"; exit 1; }; sleep 0.05
done

now() { date +%s%N; }
ms() { echo $(( ($2 - $1) / 1000000 )); }

# The server's own report of top-level windows being mapped, read line by line on fd 3: waiting
# on it costs nothing, where polling with xdotool would take CPU from the program measured.
mkfifo "$WORK/map-events"
xev -root -event substructure >"$WORK/map-events" 2>/dev/null &
XEV_PID=$!
exec 3<"$WORK/map-events"

# start ARGS...: milliseconds from launch until a frame window is mapped, and until the
# frame has opened the file and answers again: a start without arguments only asks the
# running instance to come up, and its answer waits behind the opening on the frame's
# thread. The editor keeps running, its process id in $WORK/pid.
start() {
  t0=$(now)
  "$WORK/bin/zkedit32" "$@" >/dev/null 2>&1 &
  echo $! >"$WORK/pid"
  while read -r event <&3; do
    case $event in MapNotify*) break ;; esac
  done
  t1=$(now)
  "$WORK/bin/zkedit32" >/dev/null 2>&1
  t2=$(now)
  echo "$(ms "$t0" "$t1")/$(ms "$t0" "$t2")"
}
stop() {
  pid=$(cat "$WORK/pid")
  kill "$pid" 2>/dev/null
  while kill -0 "$pid" 2>/dev/null; do sleep 0.05; done
  rm -f "$WORK/state/zkedit32/"*.zkr "$WORK/bin/ZKEdit32.Ini"
}

for case in empty big; do
  line="start $case:"
  i=0
  while [ $i -lt "$RUNS" ]; do
    if [ $case = empty ]; then t=$(start); else t=$(start "$WORK/big.txt"); fi
    line="$line $t"
    stop
    i=$((i + 1))
  done
  echo "$line ms (mapped/ready)"
done

start >/dev/null
line="hand-over:"
i=0
while [ $i -lt "$RUNS" ]; do
  t0=$(now)
  "$WORK/bin/zkedit32" "$WORK/small.txt" >/dev/null 2>&1
  t1=$(now)
  line="$line $(ms "$t0" "$t1")"
  i=$((i + 1))
done
echo "$line ms"
stop
