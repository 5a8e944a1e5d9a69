#!/bin/sh
# Printing big.txt to PDF on Qt's offscreen platform: the run with "Seite &S von &G" (count of
# up to 1,024 pages, then pages 1 to 3), the first preview page of big.txt against a
# 1,000-line document, and 1,000 pages with the size of the PDF.
# Usage: bench/print/print.sh [BUILD_DIR] [CORPUS_DIR]   (build with -DZK_BUILD_BENCH=ON)
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
corpus=${2:-/tmp/zkcorpus}
big=$corpus/big.txt
if [ ! -f "$big" ]; then
  python3 "$root/../shared/bench/gen_corpus.py" "$corpus"
fi
out=$(mktemp -d)
ZK_BENCH_FILE="$big" ZK_BENCH_PDF="$out/bench.pdf" "$build/bench/print/print_bench" \
  --benchmark_counters_tabular=true
rm -rf "$out"
