#!/bin/sh
# Set-up command for the main job: installs the dependencies, builds everything and runs
# what can run without a display: the VEL compiler on the sample program.
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
echo "Programs in build/: compiler/standalone/velwcomp (batch VEL compiler), loader/program/krladwin32"
echo "(loader: status window or console), tools/defasm/defasm"
echo "(definition-file assembler), tools/termsim/termsim (terminal simulator on a pseudo-terminal),"
echo "bench/views/compare_files (file compare). scripts/test.sh runs the test suite."
