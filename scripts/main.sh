#!/bin/sh
# Set-up command for the main job: installs the dependencies, builds everything and runs it.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
"$here/deps.sh"
"$here/build.sh"
echo
echo "Build complete. No runnable program exists yet: so far the tree holds the text line store,"
echo "the text file loader and writer, the editing engine with undo, and the platform file layer."
echo "Run scripts/test.sh for the test suite and bench/textfile.sh for the load/save benchmark."
