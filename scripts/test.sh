#!/bin/sh
# Set-up command for the tests: installs the dependencies, builds everything and runs ctest.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
"$here/deps.sh"
"$here/build.sh"
jobs=$(nproc 2>/dev/null || echo 2)
cd "$here/../build"
ctest --output-on-failure -j "$jobs"
