#!/bin/sh
# The compare window on cmp_a.txt / cmp_b.txt: the comparison up to the painted window next
# to GNU diff, and Tab through every difference with the panes painted after each step.
# Usage: bench/compare/compare_window.sh [CORPUS_DIR] [BUILD_DIR]
#   CORPUS_DIR defaults to /tmp/zkcorpus (made by the shared corpus generator when missing:
#   set ZK_CORPUS_GEN to its path); BUILD_DIR defaults to build/ (configured with
#   -DZK_BUILD_BENCH=ON).
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
corpus=${1:-/tmp/zkcorpus}
build=${2:-$root/build}
gen=${ZK_CORPUS_GEN:-$root/../shared/bench/gen_corpus.py}
command -v diff >/dev/null || "$root/scripts/deps.sh" diffutils
if [ ! -f "$corpus/cmp_a.txt" ]; then
  mkdir -p "$corpus"
  python3 "$gen" "$corpus"
fi
cmake --build "$build" --target compare_window_bench
"$build/bench/compare/compare_window_bench" "$corpus/cmp_a.txt" "$corpus/cmp_b.txt"
