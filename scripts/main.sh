#!/bin/sh
# Set-up command for the main job: installs the dependencies, builds everything and runs
# what can run without a display: the VEL compiler and the loader on the sample program;
# with a display it starts the editor on the sample source.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root="$here/.."
"$here/deps.sh"
"$here/build.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/samples/vel/BEISPIEL.vel" "$root/samples/vel/ZIRE.DRV" "$work/"
echo
echo "velwcomp BEISPIEL.vel (in $work)"
(cd "$work" && "$root/build/compiler/standalone/velwcomp" BEISPIEL)
echo "data record: $(wc -c < "$work/BEISPIEL.ved") bytes in BEISPIEL.ved; messages in BEISPIEL.err:"
if [ -s "$work/BEISPIEL.err" ]; then cat "$work/BEISPIEL.err"; else echo "(none)"; fi

echo
echo "krladwin32 -1 -K -IBEISPIEL.ved, with termsim playing the terminal on a pseudo-terminal"
"$root/build/tools/termsim/termsim" --link "$work/ttyKR" --store "$work/rx" > "$work/termsim.log" 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null; rm -rf "$work"' EXIT
tries=0
while [ ! -e "$work/ttyKR" ] && [ $tries -lt 50 ]; do sleep 0.1; tries=$((tries + 1)); done
(cd "$work" && ZK_COM1="$work/ttyKR" timeout 120 "$root/build/loader/program/krladwin32" -1 -K -IBEISPIEL.ved) ||
  echo "krladwin32 ended with exit code $?"
sleep 0.5
echo "the simulated terminal received: $(ls "$work/rx" 2>/dev/null)"
echo
editor="$root/build/editor/program/zkedit32"
if [ -x "$editor" ]; then
  [ -f "$root/build/editor/program/ZKColors.Ini" ] || cp "$root/samples/ZKColors.Ini" "$root/build/editor/program/"
  mkdir -p "$HOME/zkedit32-sample"
  cp "$root/samples/vel/BEISPIEL.vel" "$HOME/zkedit32-sample/"
  if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "zkedit32 $HOME/zkedit32-sample/BEISPIEL.vel (the editor opens; it keeps running after this job)"
    nohup "$editor" "$HOME/zkedit32-sample/BEISPIEL.vel" >/dev/null 2>&1 &
  else
    echo "No display here: start the editor on a desktop with"
    echo "  $editor $HOME/zkedit32-sample/BEISPIEL.vel"
    echo "(\"$editor --help\" lists its command line)"
  fi
fi
echo
echo "Programs in build/: editor/program/zkedit32 (the editor), compiler/standalone/velwcomp (batch VEL compiler), loader/program/krladwin32"
echo "(loader: status window or console), tools/defasm/defasm"
echo "(definition-file assembler), tools/termsim/termsim (terminal simulator on a pseudo-terminal),"
echo "bench/views/compare_files (file compare). scripts/test.sh runs the test suite."
