#!/bin/sh
# End to end: "zkedit32 FILE /P" on its own virtual X server prints the file on the PDF
# printer (ZK_PRINT_PDF names its file) and ends by itself; the PDF holds the pages and the
# text. Exit 77 (skipped) when Xvfb or the PDF tools are missing.
# usage: PrintE2E.sh ZKEDIT32 ZKPRINT_DLL OUTDIR
set -u
ZKEDIT=$1
LIBRARY=$2
OUTDIR=$3
for tool in Xvfb pdfinfo pdftotext; do
  command -v $tool >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done
rm -rf "$OUTDIR"
mkdir -p "$OUTDIR"
WORK=$(mktemp -d)
XVFB_PID=""
cleanup() {
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Program and library side by side, as installed, with private settings and runtime folders.
mkdir -p "$WORK/bin" "$WORK/run" "$WORK/state" "$WORK/docs"
chmod 700 "$WORK/run"
cp "$ZKEDIT" "$WORK/bin/zkedit32"
cp "$ZKEDIT-ui" "$WORK/bin/zkedit32-ui"  # the window program it starts
cp "$LIBRARY" "$WORK/bin/ZKPrint.DLL"
export XDG_RUNTIME_DIR="$WORK/run" XDG_STATE_HOME="$WORK/state" XDG_CONFIG_HOME="$WORK/config"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

i=1
while [ $i -le 200 ]; do
  printf 'Druckzeile %d\tTabulator\r\n' $i >>"$WORK/docs/probe.txt"
  i=$((i + 1))
done
# A header with the page placeholders, as the page setup stores it.
printf '[PageSetup]\r\nHead=&N Seite &S von &G\r\n' >"$WORK/bin/ZKEdit32.Ini"

NUM=95
while [ -e /tmp/.X$NUM-lock ] || [ -e /tmp/.X11-unix/X$NUM ]; do NUM=$((NUM + 1)); done
Xvfb :$NUM -screen 0 1024x768x24 -nolisten tcp >"$OUTDIR/xvfb.log" 2>&1 &
XVFB_PID=$!
export DISPLAY=:$NUM
n=0
while [ $n -lt 100 ] && ! [ -e /tmp/.X11-unix/X$NUM ]; do n=$((n + 1)); sleep 0.1; done
[ -e /tmp/.X11-unix/X$NUM ] || fail "Xvfb did not start"

PDF="$OUTDIR/probe.pdf"
ZK_PRINT_PDF="$PDF" timeout 60 "$WORK/bin/zkedit32" "$WORK/docs/probe.txt" /P \
  >"$OUTDIR/zkedit.out" 2>"$OUTDIR/zkedit.err"
CODE=$?
[ "$CODE" -eq 0 ] || fail "zkedit32 /P ended with $CODE (124: it did not end by itself)"
[ -s "$PDF" ] || fail "no PDF was printed"
PAGES=$(pdfinfo "$PDF" | sed -n 's/^Pages: *//p')
[ "$PAGES" -ge 2 ] || fail "PDF has $PAGES pages"
pdftotext -layout -f 1 -l 1 "$PDF" "$OUTDIR/page1.txt" || fail "pdftotext failed"
grep -q "probe.txt Seite 1 von $PAGES" "$OUTDIR/page1.txt" || fail "header missing on page 1"
grep -q "Druckzeile 1 " "$OUTDIR/page1.txt" || fail "first line missing on page 1"
pdftotext -layout -f "$PAGES" -l "$PAGES" "$PDF" "$OUTDIR/last.txt"
grep -q "Druckzeile 200" "$OUTDIR/last.txt" || fail "last line missing on the last page"
echo "PASS: $PAGES pages"
