#!/bin/sh
# Line-counting searches over big.txt (1,000,000 lines, ~65 MB) next to grep -c with the
# same meaning, one after the other on this machine: a literal, ignoring case, as a whole
# word, and the expression Ziel[a-z]+e. Our figures search the loaded document (the load
# is measured by bench/textfile.sh); grep reads the file from the page cache, its output
# goes through a pipe (with /dev/null as output GNU grep stops at the first hit).
# Usage: bench/search/search.sh [BUILD_DIR] [CORPUS_DIR]
#        (defaults build/ and /tmp/zkcorpus; big.txt is made by the shared corpus
#        generator when missing: set ZK_CORPUS_GEN to its path)
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
corpus=${2:-/tmp/zkcorpus}
gen=${ZK_CORPUS_GEN:-$root/../shared/bench/gen_corpus.py}
command -v hyperfine >/dev/null || "$root/scripts/deps.sh" hyperfine
if [ ! -f "$corpus/big.txt" ]; then
  mkdir -p "$corpus"
  python3 "$gen" "$corpus"
fi
[ -x "$build/bench/search/search_bench" ] || cmake --build "$build" --target search_bench
export LC_ALL=C
big="$corpus/big.txt"

json=$(mktemp)
hyperfine -N --output=pipe --warmup 2 --runs 15 --export-json "$json" \
  -n literal "grep -c Zielmarke $big" \
  -n ignorecase "grep -ci zielmarke $big" \
  -n wholeword "grep -cw Zielmarke $big" \
  -n regexp "grep -cE Ziel[a-z]+e $big" >/dev/null
bjson=$(mktemp)
ZK_BENCH_FILE="$big" "$build/bench/search/search_bench" --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true \
  --benchmark_out="$bjson" --benchmark_out_format=json >/dev/null 2>&1

python3 - "$json" "$bjson" "$big" <<'PY'
import json, os, statistics, sys
size = os.path.getsize(sys.argv[3]) / 1e6
grep = {}
for r in json.load(open(sys.argv[1]))["results"]:
    grep[r["command"]] = (statistics.median(r["times"]) * 1000, (r["user"] + r["system"]) * 1000)
ours = {}
for b in json.load(open(sys.argv[2]))["benchmarks"]:
    if b.get("aggregate_name") == "median":
        ours[b["run_name"].split("/")[0]] = (b["real_time"], b["cpu_time"], b.get("lines"))
names = {"literal": "BM_Literal", "ignorecase": "BM_IgnoreCase", "wholeword": "BM_WholeWord",
         "regexp": "BM_RegExp"}
print("%-11s %8s %7s %8s %7s %7s | %8s %8s %7s %6s" % ("search", "ours ms", "MB/s", "grep ms", "MB/s",
      "ratio", "ours cpu", "grep cpu", "ratio", "lines"))
for key, bm in names.items():
    ms, cpu, lines = ours[bm]
    g, gcpu = grep[key]
    print("%-11s %8.1f %7.0f %8.1f %7.0f %6.2fx | %8.1f %8.1f %6.2fx %6d" % (key, ms, size / ms * 1000, g,
          size / g * 1000, ms / g, cpu, gcpu, cpu / gcpu, lines))
print("wall: medians; cpu: our median CPU time, grep's mean user+system time (steadier on a busy machine).")
print("ratio = ours / grep; grep -cw counts other word characters (no umlauts, no '-').")
PY
rm -f "$json" "$bjson"
