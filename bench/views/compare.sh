#!/bin/sh
# The file compare on cmp_a.txt / cmp_b.txt (200,000 lines, ~2,000 changes, inserted and
# deleted runs, two moved blocks) next to GNU diff on the same files, with and without
# ignoring case and spaces, one after the other on this machine.
# Usage: bench/views/compare.sh [CORPUS_DIR] [BUILD_DIR]
#   CORPUS_DIR defaults to /tmp/zkcorpus (made by the shared corpus generator when
#   missing: set ZK_CORPUS_GEN to its path); BUILD_DIR defaults to build/.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
corpus=${1:-/tmp/zkcorpus}
build=${2:-$root/build}
gen=${ZK_CORPUS_GEN:-$root/../shared/bench/gen_corpus.py}
command -v hyperfine >/dev/null && command -v diff >/dev/null || "$root/scripts/deps.sh" hyperfine diffutils
if [ ! -f "$corpus/cmp_a.txt" ]; then
  mkdir -p "$corpus"
  python3 "$gen" "$corpus"
fi
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target compare_files
tool="$build/bench/views/compare_files"
a="$corpus/cmp_a.txt"
b="$corpus/cmp_b.txt"
export LC_ALL=C

json=$(mktemp)
hyperfine -N -i --warmup 2 --runs 20 --export-json "$json" \
  -n "compare" "$tool $a $b" \
  -n "diff" "diff $a $b" \
  -n "compare -i -w" "$tool -i -w $a $b" \
  -n "diff -i -w" "diff -i -w $a $b" \
  >/dev/null
echo "difference rows: $("$tool" "$a" "$b" || true); with -i -w: $("$tool" -i -w "$a" "$b" || true)"

python3 - "$json" <<'PY'
import json, statistics, sys
r = {x["command"]: x for x in json.load(open(sys.argv[1]))["results"]}
def ms(name): return statistics.median(r[name]["times"]) * 1000
def user(name): return r[name]["user"] * 1000
print("%-16s %12s %12s" % ("(median)", "wall ms", "user ms"))
for name in r:
    print("%-16s %12.1f %12.1f" % (name, ms(name), user(name)))
for ours, theirs in (("compare", "diff"), ("compare -i -w", "diff -i -w")):
    print("%-16s %.2fx the time of %s (user: %.2fx)" %
          (ours, ms(ours) / ms(theirs), theirs, user(ours) / user(theirs)))
PY
rm -f "$json"
