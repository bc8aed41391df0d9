#!/usr/bin/env bash
# Fuzzes the Exif orientation reader with libFuzzer under the address and
# undefined-behaviour sanitizers (needs clang).
#   scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_TO_RUN=${1:-60}
OUT=build/fuzz
mkdir -p "$OUT/corpus"
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -I. \
  tests/fuzz/ExifOrientationFuzz.cpp core/composition/ExifOrientation.cpp -o "$OUT/exif_orientation_fuzz"
# Seeds: small JPEG files with an orientation tag in either byte order.
if command -v convert >/dev/null && [ ! -f "$OUT/corpus/seed-6.jpg" ]; then
  convert -size 8x8 xc:red -orient RightTop "$OUT/corpus/seed-6.jpg"
  convert -size 8x8 xc:blue -orient LeftBottom "$OUT/corpus/seed-8.jpg"
fi
"$OUT/exif_orientation_fuzz" -max_total_time="$SECONDS_TO_RUN" -max_len=4096 "$OUT/corpus"
