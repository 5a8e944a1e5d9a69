#!/bin/sh
# The replace loop and find next of a text window on big.txt next to sed, vim and grep, one
# after the other on this machine. The word to find stands once, in the last line of a copy.
# Usage: bench/find/find.sh [BUILD_DIR] [CORPUS_DIR]   (a build with -DZK_BUILD_BENCH=ON)
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
corpus=${2:-/tmp/zkcorpus}
big=$corpus/big.txt
if [ ! -f "$big" ]; then
  python3 "$root/../shared/bench/gen_corpus.py" "$corpus"
fi
out=$(mktemp -d)
python3 - "$big" "$out/big.txt" <<'PY'
import sys
d = open(sys.argv[1], 'rb').read()
i = d.rstrip(b'\r\n').rfind(b'\r\n')
open(sys.argv[2], 'wb').write(d[:i + 2] + b'Schlusswort\r\n')
PY
ZK_BENCH_FILE="$out/big.txt" "$build/bench/find/find_bench" --benchmark_out="$out/bench.json" \
  --benchmark_out_format=json > /dev/null 2>&1
python3 - "$out" <<'PY'
import json, shutil, subprocess, sys, time
out = sys.argv[1]
big = out + "/big.txt"
def seconds(cmd):
    start = time.perf_counter()
    subprocess.run(cmd, shell=True, check=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.perf_counter() - start
ours = {b["name"].split("/")[0]: b for b in json.load(open(out + "/bench.json"))["benchmarks"]}
sed = seconds("sed 's/e/ee/g' " + big + " > /dev/null")
grep = seconds("grep -c Schlusswort " + big)
rows = [("replace all e by ee", ours["BM_ReplaceAllEByEE"]["real_time"] / 1000, sed, "sed"),
        ("find a word at the end", ours["BM_FindWordAtTheEnd"]["real_time"] / 1000, grep, "grep -c")]
if shutil.which("vim"):
    vim = seconds("vim -N -u NONE -i NONE -es -c '%s/e/ee/g' -c 'q!' " + big)
    rows.insert(1, ("replace all e by ee", ours["BM_ReplaceAllEByEE"]["real_time"] / 1000, vim, "vim :%s"))
print("%-26s %9s %9s %7s" % ("measurement", "ours s", "tool s", "ratio"))
for name, mine, tool, label in rows:
    print("%-26s %9.3f %9.3f %6.2fx  (%s)" % (name, mine, tool, mine / tool, label))
print("%-26s %9.3f s" % ("undo of the replace-all", ours["BM_ReplaceAllEByEE"]["undo_ms"] / 1000))
print("%-26s %9.3f s" % ("replace all Zielmarke", ours["BM_ReplaceAllZielmarke"]["real_time"] / 1000))
PY
rm -rf "$out"
