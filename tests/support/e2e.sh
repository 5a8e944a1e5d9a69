# Shared by the end-to-end scripts, which source it after setting OUTDIR: a scratch
# directory ($WORK) removed at the end with the programs started, polling instead of fixed
# sleeps, a private virtual X server, and the editor copied with its window program so that
# its settings file stays in the scratch directory.

# e2e_need TOOL...: exit 77 (skipped) when one is missing.
e2e_need() {
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
  done
}

WORK=$(mktemp -d)
XVFB_PID=""
APP_PID=""  # the program under test, ended with the script
e2e_cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
  # The server is waited for: one still closing its sockets after its lock file is gone could
  # be taken by the next test's server for a free display.
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap e2e_cleanup EXIT
# A run that is stopped still takes its X server and programs down.
trap 'exit 2' INT TERM HUP

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

# e2e_xvfb [XVFB OPTION...]: starts the server on a display it picks itself (so that tests
# running side by side never take the same one) and exports DISPLAY once it takes clients.
# Without -noreset the server resets whenever its last client leaves (a probe of the display,
# an xdotool call), and a program connecting just then is refused.
e2e_xvfb() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset "$@" 3>"$WORK/display" \
    >"$OUTDIR/xvfb.log" 2>&1 &
  XVFB_PID=$!
  poll 20 test -s "$WORK/display" || fail "Xvfb did not start (see xvfb.log)"
  DISPLAY=:$(cat "$WORK/display")
  export DISPLAY
}

# e2e_editor ZKEDIT32: the start program and its window program in $WORK/bin, with private
# runtime, state and configuration directories; documents go to $WORK/docs.
e2e_editor() {
  mkdir -p "$WORK/bin" "$WORK/run" "$WORK/state" "$WORK/docs"
  chmod 700 "$WORK/run"
  cp "$1" "$WORK/bin/zkedit32"
  cp "$1-ui" "$WORK/bin/zkedit32-ui"
  export XDG_RUNTIME_DIR="$WORK/run" XDG_STATE_HOME="$WORK/state" XDG_CONFIG_HOME="$WORK/config"
  unset QT_QPA_PLATFORM WAYLAND_DISPLAY
}
