#!/bin/sh
# End to end: "zkedit32 FILE /P" on its own virtual X server prints the file on the PDF
# printer (ZK_PRINT_PDF names its file) and ends by itself; the PDF holds the pages and the
# text. Exit 77 (skipped) when Xvfb or the PDF tools are missing.
# usage: PrintE2E.sh ZKEDIT32 ZKPRINT_DLL OUTDIR
set -u
ZKEDIT=$1
LIBRARY=$2
OUTDIR=$3
. "$(dirname "$0")/../../support/e2e.sh"
e2e_need Xvfb pdfinfo pdftotext
rm -rf "$OUTDIR"
mkdir -p "$OUTDIR"
# Program and library side by side, as installed, with private settings and runtime folders.
e2e_editor "$ZKEDIT"
cp "$LIBRARY" "$WORK/bin/ZKPrint.DLL"

i=1
while [ $i -le 200 ]; do
  printf 'Druckzeile %d\tTabulator\r\n' $i >>"$WORK/docs/probe.txt"
  i=$((i + 1))
done
# A header with the page placeholders, as the page setup stores it.
printf '[PageSetup]\r\nHead=&N Seite &S von &G\r\n' >"$WORK/bin/ZKEdit32.Ini"

e2e_xvfb

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
