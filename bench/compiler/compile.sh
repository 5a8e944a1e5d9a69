#!/bin/sh
# Times velwcomp end to end on a generated 100,000-line source (hyperfine), with the sample
# definition beside the program and the sample driver.
# Usage: bench/compiler/compile.sh BUILD_DIR
set -eu
build=${1:?usage: compile.sh BUILD_DIR}
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/compiler/gen_vel_source" 100000 > "$work/big.vel"
wc -l "$work/big.vel"
hyperfine --warmup 1 --runs 10 \
  "$build/compiler/standalone/velwcomp -T$root/samples/vel/ZIRE.DRV $work/big.vel" \
  "wc -l $work/big.vel"
