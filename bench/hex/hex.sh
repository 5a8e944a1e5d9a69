#!/bin/sh
# Hex editor on a 1 GB file: open and jump to the end, search for a 6-byte pattern at the
# end next to grep -c -F -a, and save 10,000 scattered changes without a backup.
# Usage: sh bench/hex/hex.sh [BUILD_DIR] [WORK_DIR]
set -e
BUILD=${1:-build}
WORK=${2:-/tmp/zkhexbench}
mkdir -p "$WORK"
FILE="$WORK/big.bin"
PATTERN=ZkHeX9
if [ ! -f "$FILE" ] || [ "$(stat -c %s "$FILE")" -ne 1073741824 ]; then
  # Mixed content: repeated text lines with binary runs, the pattern only in the last bytes.
  python3 - "$FILE" "$PATTERN" <<'PY'
import os, random, sys
path, pattern = sys.argv[1], sys.argv[2].encode()
random.seed(7)
chunk = bytearray()
while len(chunk) < (1 << 20):
    chunk += b"Zeile %d mit etwas Text und Zahlen 0123456789\r\n" % len(chunk)
    chunk += bytes(random.randrange(256) for _ in range(32))
chunk = bytes(chunk[: 1 << 20]).replace(pattern, b"xxxxxx")
with open(path, "wb") as f:
    for _ in range(1023):
        f.write(chunk)
    f.write(chunk[: (1 << 20) - 64] + b"\0" * 50 + pattern + b"\0" * 8)
PY
fi
cat "$FILE" > /dev/null
"$BUILD/bench/hex/hex_bench" "$FILE" "$PATTERN" 10000
start=$(date +%s%N)
count=$(grep -c -F -a "$PATTERN" "$FILE" || true)
end=$(date +%s%N)
echo "grep -c -F -a: $(( (end - start) / 1000000 )) ms, count $count"
