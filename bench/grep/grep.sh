#!/bin/sh
# The global search (zkgrep, the hit-list window's search without windows) on tree/ next to
# grep -rn and ripgrep, one after the other on this machine, and the counts compared with
# grep's: matching lines of the text files, occurrences in the files with NUL bytes.
# Usage: bench/grep/grep.sh [BUILD_DIR] [CORPUS_DIR]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
corpus=${2:-/tmp/zkcorpus}
if [ ! -d "$corpus/tree" ]; then
  python3 "$root/../shared/bench/gen_corpus.py" "$corpus"
fi
zkgrep=$build/tools/zkgrep/zkgrep
cd "$corpus"
# Bytes, not UTF-8: the tree holds Windows umlauts, which grep would take for binary data.
export LC_ALL=C

python3 - "$zkgrep" <<'PY'
import json, os, statistics, subprocess, sys, time
zkgrep = sys.argv[1]
have_rg = subprocess.run("command -v rg", shell=True, stdout=subprocess.DEVNULL).returncode == 0
cores = os.cpu_count() or 1

def median_s(cmd, runs=5):
    subprocess.run(cmd, shell=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)  # warm
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(cmd, shell=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        times.append(time.perf_counter() - start)
    return statistics.median(times)

cases = [
    ("literal", "-c", "Zielmarke", "-F", "Zielmarke"),
    ("ignore case", "", "Zielmarke", "-i -F", "-i -F Zielmarke"),
    ("whole words", "-c -w", "Zielmarke", "-w -F", "-w -F Zielmarke"),
    ("regex", "-c -e", "Ziel[a-z]+e", "-E", "Ziel[a-z]+e"),
]
print("search         zkgrep -j0  zkgrep -j%-2d grep -rn   rg -j1 -n  rg -n" % cores)
for name, zopts, text, gopts, ropts in cases:
    pattern = "'%s'" % text
    z0 = median_s("%s -s -o0 -j0 %s %s '*.*' tree" % (zkgrep, zopts, pattern))
    zn = median_s("%s -s -o0 -j%d %s %s '*.*' tree" % (zkgrep, cores, zopts, pattern))
    g = median_s("grep -rn %s %s tree" % (gopts, pattern))
    r1 = median_s("rg -j1 -n --no-ignore --hidden -a %s tree" % (ropts if "'" in ropts else ropts.replace(text, pattern))) if have_rg else float("nan")
    rn = median_s("rg -n --no-ignore --hidden -a %s tree" % (ropts if "'" in ropts else ropts.replace(text, pattern))) if have_rg else float("nan")
    print("%-14s %8.3f s  %8.3f s  %8.3f s  %8.3f s  %6.3f s   (ratios to rg -j1: %.2f, to rg: %.2f)"
          % (name, z0, zn, g, r1, rn, z0 / r1, zn / rn))

# Counts: kind 3 lines are matching lines of text files, kind 4 lines one occurrence each
# in a file searched as raw bytes.
def zk_counts(opts, text):
    out = subprocess.run("%s -s -o0 --json %s '%s' '*.*' tree" % (zkgrep, opts, text), shell=True,
                         capture_output=True).stdout.decode("utf-8", "replace").splitlines()
    kinds = [json.loads(l).get("kind") for l in out if l.startswith("{\"kind\"")]
    total = json.loads(out[-1])
    return kinds.count(3), kinds.count(4), total["files"], total["hits"]

binary = subprocess.run("grep -rlaP '\\x00' tree", shell=True, capture_output=True).stdout.decode().split()
def grep_counts(gopts, text):
    lines = subprocess.run("grep -rnI %s '%s' tree | wc -l" % (gopts, text), shell=True,
                           capture_output=True).stdout.decode().strip()
    occ = 0
    for i in range(0, len(binary), 500):
        chunk = " ".join(binary[i:i + 500])
        occ += int(subprocess.run("grep -ao %s '%s' %s | wc -l" % (gopts, text, chunk), shell=True,
                                  capture_output=True).stdout.decode().strip() or 0)
    return int(lines), occ

print()
print("counts         zkgrep text lines / binary hits (files, hits)   grep text lines / binary hits")
for name, zopts, text, gopts, _ in cases:
    zl, zb, zf, zh = zk_counts(zopts, text)
    gl, gb = grep_counts(gopts, text)
    same = "same" if (zl, zb) == (gl, gb) else "differ"
    print("%-14s %6d / %4d  (%d files, %d hits)                %6d / %4d   %s"
          % (name, zl, zb, zf, zh, gl, gb, same))
PY
