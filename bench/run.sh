#!/bin/sh
# bench/run.sh [runs]: builds KORA.exe and the benchmark (windows preset), stages them with
# the floor programs and win2k\ in build/windows/bench/stage, and runs bench.exe under
# 32-bit Wine through cmake/wine-run.sh: prefix build/wine/bench (a fresh copy of the
# template, never ~/.wine), on $DISPLAY or a private Xvfb. runs: 5 or more, default 7.
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
cd "$src"

cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target kora_bench dist

build=build/windows
stage=$build/bench/stage
rm -rf "$stage"
mkdir -p "$stage"
cp "$build/KORA.exe" "$build/bench/minimal_dialog.exe" "$build/bench/minimal_common_controls.exe" \
  "$build/bench/bare_install.exe" "$stage/"
cp -R dist/KORA/win2k "$stage/win2k"

BENCH_STAGE="$src/$stage" exec sh cmake/wine-run.sh "$build/bench/bench.exe" "$@"
