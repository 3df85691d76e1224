#!/usr/bin/env bash
# Fuzzes the BMP decoder with libFuzzer for SECONDS seconds (default 60), seeded with the bmpsuite
# corpus and the regression files. Exits non-zero when an input crashes the decoder, trips a
# sanitizer, runs out of time or memory; the input is kept in build-fuzz/crashes/. Give it a name
# that says what it is and add it to tests/data/bmp-regressions/, which the render tests decode.
#
#   tests/fuzz/run-fuzz.sh [SECONDS]
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build-fuzz

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMORVISH_BUILD_FUZZ=ON -DMORVISH_BUILD_APP=OFF -DMORVISH_BUILD_TESTS=ON \
  -DMORVISH_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target bmp_fuzz -j 2

corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
for folder in g q b; do
  for file in "$root"/tests/data/bmpsuite/$folder/*.bmp; do cp "$file" "$corpus/$folder-$(basename "$file")"; done
done
cp "$root"/tests/data/bmp-regressions/*.bmp "$corpus/"

mkdir -p "$build/crashes"
# One pixel buffer may take up to 256 MiB (the decoder's area limit); anything larger is a fault.
"$build/bin/bmp_fuzz" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -malloc_limit_mb=300 -max_len=70000 -print_final_stats=1 -artifact_prefix="$build/crashes/"
