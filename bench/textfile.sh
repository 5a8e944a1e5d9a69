#!/bin/sh
# Load and save of a 1,000,000-line CR LF file (~64 MB), next to wc -l and cat on the same
# file, one after the other on this machine.
# Usage: bench/textfile.sh [CORPUS_DIR]   (default /tmp/zkbench/corpus; big.txt is made by
#        the shared corpus generator when missing: set ZK_CORPUS_GEN to its path)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
corpus=${1:-/tmp/zkbench/corpus}
gen=${ZK_CORPUS_GEN:-$root/../shared/bench/gen_corpus.py}
"$root/scripts/deps.sh" hyperfine
if [ ! -f "$corpus/big.txt" ]; then
  mkdir -p "$corpus"
  python3 "$gen" "$corpus"
fi
"$root/scripts/build.sh" >/dev/null
mkdir -p /tmp/zkbench/out
export LC_ALL=C

json=$(mktemp)
hyperfine -N --warmup 2 --runs 15 --export-json "$json" \
  -n "wc -l" "wc -l $corpus/big.txt" \
  -n "cat > /dev/null" "sh -c 'cat $corpus/big.txt > /dev/null'" \
  -n "cat > file" "sh -c 'cat $corpus/big.txt > /tmp/zkbench/out/copy.txt'" \
  -n "cat > file; sync" "sh -c 'cat $corpus/big.txt > /tmp/zkbench/out/copy.txt; sync /tmp/zkbench/out/copy.txt'" \
  >/dev/null
bjson=$(mktemp)
ZK_BENCH_FILE="$corpus/big.txt" "$root/build/bench/textfile_bench" \
  --benchmark_out="$bjson" --benchmark_out_format=json >/dev/null 2>&1

python3 - "$json" "$bjson" <<'PY'
import json, statistics, sys
tools = {r["command"]: statistics.median(r["times"]) * 1000 for r in json.load(open(sys.argv[1]))["results"]}
ours = {b["name"].split("/")[0]: b["real_time"] for b in json.load(open(sys.argv[2]))["benchmarks"]}
wc, cat = tools["wc -l"], tools["cat > /dev/null"]
print("%-34s %9s" % ("measurement (median)", "ms"))
for name, ms in tools.items():
    print("%-34s %9.1f" % (name, ms))
print("%-34s %9.1f   %.2fx wc -l, %.2fx cat > /dev/null" % ("LoadTextFile", ours["BM_LoadTextFile"],
      ours["BM_LoadTextFile"] / wc, ours["BM_LoadTextFile"] / cat))
print("%-34s %9.1f   %.2fx cat > file; sync" % ("SaveTextFile (durable)", ours["BM_SaveTextFile"],
      ours["BM_SaveTextFile"] / tools["cat > file; sync"]))
print("%-34s %9.1f" % ("walk all lines", ours["BM_WalkLines"]))
PY
rm -f "$json" "$bjson"
