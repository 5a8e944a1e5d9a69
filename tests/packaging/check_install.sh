#!/bin/sh
# Installs a build folder into a temporary prefix and checks the tree: programs reached
# through bin/ find their companions beside them, the shipped defaults are read, the desktop
# files and the file types are valid, and every program has its manual page.
# Usage: check_install.sh BUILD_DIR SOURCE_DIR "PROGRAMS THE BUILD MAKES"
set -eu
build=$1
src=$2
programs=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1 ||
  { cat "$tmp/install.log" >&2; echo "FAIL: cmake --install" >&2; exit 1; }

# Nothing of the user's own settings may leak into the checks, nor a display.
export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/home/.config
mkdir -p "$HOME"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM || true

libdir=$prefix/lib/zkedit32
for f in ZKPrint.DLL velcomp.so ZIRE.CFG ZKColors.Ini help/index.html; do
  [ -f "$libdir/$f" ] || fail "$f not beside the programs"
done
for p in $programs; do
  [ -x "$libdir/$p" ] || fail "$p not installed in lib/zkedit32"
  [ -L "$prefix/bin/$p" ] || fail "bin/$p is not a link"
  [ "$(readlink -f "$prefix/bin/$p")" = "$(readlink -f "$libdir/$p")" ] ||
    fail "bin/$p does not lead to lib/zkedit32/$p"
  [ -f "$prefix/share/man/man1/$p.1" ] || fail "no manual page for $p"
done
[ -n "$programs" ] || fail "no program was built"

case " $programs " in *" zkedit32 "*)
  [ -x "$libdir/zkedit32-ui" ] || fail "the window program zkedit32-ui is not beside zkedit32"
  out=$("$prefix/bin/zkedit32" --help) || fail "zkedit32 --help did not exit 0"
  case $out in *"Aufruf: zkedit32"*) ;; *) fail "zkedit32 --help printed no call line" ;; esac
  # Without a display the editor refuses with a clear message instead of crashing.
  set +e; "$prefix/bin/zkedit32" >/dev/null 2>"$tmp/err"; code=$?; set -e
  [ "$code" = 1 ] || fail "zkedit32 without a display ended with $code"
  # Off screen it starts with a file and keeps running: a start-up failure (a missing
  # companion, a crash) would end it before the time-out does.
  if command -v timeout >/dev/null; then
    mkdir -m 700 "$tmp/run"
    cp "$src/samples/vel/BEISPIEL.vel" "$tmp/start.vel"
    set +e
    XDG_RUNTIME_DIR=$tmp/run QT_QPA_PLATFORM=offscreen timeout 5 "$prefix/bin/zkedit32" \
      "$tmp/start.vel" >"$tmp/editor.log" 2>&1
    code=$?
    set -e
    [ "$code" = 124 ] || { cat "$tmp/editor.log" >&2; fail "installed zkedit32 ended with $code"; }
  fi
esac
case " $programs " in *" termsim "*)
  "$prefix/bin/termsim" --help >/dev/null || fail "termsim --help did not exit 0"
esac

# The installed compiler finds ZIRE.CFG beside itself through the bin/ link.
case " $programs " in *" velwcomp "*)
  mkdir -p "$tmp/work"
  cp "$src/samples/vel/BEISPIEL.vel" "$src/samples/vel/ZIRE.DRV" "$tmp/work/"
  set +e
  (cd "$tmp/work" && "$prefix/bin/velwcomp" BEISPIEL.vel -B >"$tmp/velwcomp.log" 2>&1)
  code=$?
  set -e
  [ "$code" = 0 ] || { cat "$tmp/velwcomp.log" >&2; fail "installed velwcomp ended with $code"; }
  [ -s "$tmp/work/BEISPIEL.ved" ] || fail "installed velwcomp wrote no data record"
  [ -f "$tmp/work/BEISPIEL.err" ] || fail "installed velwcomp wrote no message file"
esac

# The installed loader refuses an empty command line with its parameter message.
case " $programs " in *" krladwin32 "*)
  set +e; "$prefix/bin/krladwin32" </dev/null >"$tmp/krlad.log" 2>&1; code=$?; set -e
  [ "$code" = 2 ] || fail "krladwin32 without actions ended with $code"
  grep -q "Parameter" "$tmp/krlad.log" || fail "krladwin32 printed no parameter list"
esac

for d in "$prefix"/share/applications/*.desktop; do
  [ -f "$d" ] || { fail "no desktop entries installed"; break; }
  grep -q '^Exec=[a-z0-9]* %f$' "$d" || fail "$(basename "$d"): Exec does not take one file"
  icon=$(sed -n 's/^Icon=//p' "$d")
  [ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "$(basename "$d"): no icon $icon"
  for size in 16 32 48 256; do
    [ -f "$prefix/share/icons/hicolor/${size}x$size/apps/$icon.png" ] ||
      fail "$(basename "$d"): no $size pixel icon"
  done
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$d" || fail "$(basename "$d") does not validate"
  fi
done
mime=$prefix/share/mime/packages/zkedit32.xml
[ -f "$mime" ] || fail "file types not installed"
if command -v xmllint >/dev/null; then
  xmllint --noout "$mime" || fail "file types are not well-formed XML"
fi
# The MIME database tool reads the description as a desktop does and names a .vel file.
if command -v update-mime-database >/dev/null; then
  update-mime-database "$prefix/share/mime" >"$tmp/mime.log" 2>&1 ||
    { cat "$tmp/mime.log" >&2; fail "update-mime-database refused the file types"; }
  grep -q '^text/x-vel:\*\.vel$' "$prefix/share/mime/globs" || fail "*.vel is not a VEL source"
fi
for glob in '\*.vel' '\*.ved' '\*.err'; do
  grep -q "pattern=\"$glob\"" "$mime" || fail "no file type for $glob"
done
if command -v man >/dev/null; then
  for page in "$prefix"/share/man/man1/*.1; do
    warnings=$(LANG=C.UTF-8 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
  done
fi

[ "$failures" = 0 ] || exit 1
echo "installation checked:$programs"
