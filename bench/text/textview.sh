#!/bin/sh
# The editor window on big.txt next to vim and sort, one after the other on this machine:
# open and first paint against `vim -es -c q`, sorting against `sort` (ascending, -r, and an
# already sorted file), plus the keystroke and column-block figures.
# Usage: bench/text/textview.sh [BUILD_DIR] [CORPUS_DIR]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
corpus=${2:-/tmp/zkcorpus}
big=$corpus/big.txt
if [ ! -f "$big" ]; then
  python3 "$root/../shared/bench/gen_corpus.py" "$corpus"
fi
out=$(mktemp -d)
sort "$big" > "$out/sorted.txt"
json=$out/bench.json
ZK_BENCH_FILE="$big" "$build/bench/text/textview_bench" --benchmark_out="$json" \
  --benchmark_out_format=json > /dev/null 2>&1
ZK_BENCH_FILE="$out/sorted.txt" "$build/bench/text/textview_bench" \
  --benchmark_filter='Sort.*:0' --benchmark_out="$out/sorted.json" \
  --benchmark_out_format=json > /dev/null 2>&1

python3 - "$big" "$out" "$json" <<'PY'
import json, statistics, subprocess, sys, time
big, out, bench = sys.argv[1], sys.argv[2], sys.argv[3]

def median_ms(cmd, runs=5):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(cmd, shell=True, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        times.append((time.perf_counter() - start) * 1000)
    return statistics.median(times)

ours = {b["name"]: b["real_time"] for b in json.load(open(bench))["benchmarks"]}
sorted_ours = {b["name"]: b["real_time"] for b in json.load(open(out + "/sorted.json"))["benchmarks"]}
def pick(table, prefix):
    return next(v for k, v in table.items() if k.startswith(prefix))

vim = median_ms("vim -N -u NONE -i NONE -es -c q " + big)
sort_up = median_ms("sort " + big + " > /dev/null", 3)
sort_down = median_ms("sort -r " + big + " > /dev/null", 3)
sort_sorted = median_ms("sort " + out + "/sorted.txt > /dev/null", 3)
rows = [
    ("open + first paint, headless", pick(ours, "BM_OpenAndPaintHeadless"), vim, "vim -es -c q"),
]
try:
    rows.append(("open + first paint, Qt offscreen", pick(ours, "BM_OpenAndPaintQtOffscreen"), vim, "vim -es -c q"))
except StopIteration:
    pass
rows += [
    ("sort ascending", pick(ours, "BM_SortAllLines/asc0_desc1_sorted2:0"), sort_up, "sort"),
    ("sort descending", pick(ours, "BM_SortAllLines/asc0_desc1_sorted2:1"), sort_down, "sort -r"),
    ("sort an already sorted file", pick(sorted_ours, "BM_SortAllLines/asc0_desc1_sorted2:0"), sort_sorted, "sort"),
]
print("%-34s %10s %10s %7s" % ("measurement (median)", "ours ms", "tool ms", "ratio"))
for name, mine, tool, label in rows:
    print("%-34s %10.1f %10.1f %6.2fx  (%s)" % (name, mine, tool, mine / tool, label))
print("%-34s %10.3f ms per key (type and undo, each painted)" % ("keystroke at the end", pick(ours, "BM_KeystrokeAtTheEnd") / 1000))
for step, label in ((0, "select"), (1, "delete"), (2, "undo")):
    print("%-34s %10.1f ms" % ("column block 27 x 187,616: " + label, pick(ours, "BM_ColumnBlock/select0_delete1_undo2:%d" % step)))
PY
rm -rf "$out"
