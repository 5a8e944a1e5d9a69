#!/bin/sh
# Builds the Debian package in its own build folder: a release build without tests and
# benchmarks, then cpack. Usage: packaging/make_deb.sh [BUILD_DIR] (default build-deb).
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$src/build-deb}
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZK_BUILD_TESTS=OFF \
  -DZK_BUILD_BENCH=OFF
cmake --build "$build"
(cd "$build" && cpack -G DEB)
ls "$build"/*.deb
