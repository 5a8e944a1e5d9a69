#!/bin/sh
# Builds the libFuzzer targets with clang into build-fuzz/ and runs one of them.
# Usage: scripts/fuzz.sh TARGET [libFuzzer options]   e.g. scripts/fuzz.sh text_load -max_total_time=60
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root="$here/.."
target=${1:?usage: scripts/fuzz.sh TARGET [options]}
shift
"$here/deps.sh" clang libclang-rt-dev
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZK_LIBFUZZER=ON -DZK_BUILD_BENCH=OFF
cmake --build "$root/build-fuzz" --target "${target}_fuzz"
work="$root/build-fuzz/corpus-$target"
mkdir -p "$work"
exec "$root/build-fuzz/fuzz/${target}_fuzz" "$work" "$root/fuzz/corpus/$target" "$@"
