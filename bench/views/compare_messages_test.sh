#!/bin/sh
# compare_files names why a file was not compared: missing, a directory, or not text.
set -u
tool="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
printf 'a\nb\n' > "$dir/text"
printf 'a\0b\n' > "$dir/binary"
head -c 600000 /dev/zero | tr '\0' a > "$dir/long"
mkdir "$dir/folder"
fail=0
expect() {  # expected message, then the second file
  out=$("$tool" "$dir/text" "$2" 2>&1 >/dev/null)
  code=$?
  if [ "$code" != 2 ] || [ "$out" != "$1: $2" ]; then
    echo "for $2: exit $code, message '$out', expected '$1: $2'"
    fail=1
  fi
}
expect "Keine Textdatei (NUL-Zeichen oder zu lange Zeile)" "$dir/binary"
expect "Keine Textdatei (NUL-Zeichen oder zu lange Zeile)" "$dir/long"
expect "Kann Datei nicht öffnen" "$dir/missing"
expect "Kann Datei nicht öffnen" "$dir/folder"
exit $fail
