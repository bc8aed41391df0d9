#!/usr/bin/env bash
# Times the wallpaper composition under Wine on generated pictures (2, 12 and
# 24 megapixels, JPEG and PNG) at 1920x1080 and 3840x2160, the GDI+ path beside the
# new one (imaging component decode, our resampler) with each one's PSNR against
# ImageMagick's Catmull-Rom resize, then the resampler alone natively and under Wine.
#   bench/run.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/environment.sh
RUNS=${1:-5}

ensure_packages
build_windows || exit 1
BENCH=$WIN_BUILD/bench/composition_bench.exe
[ -f "$BENCH" ] || { echo "composition_bench.exe was not built"; exit 1; }

PICTURES=$ROOT/build/bench-pictures
mkdir -p "$PICTURES"
# A gradient with grain: compresses like a photograph rather than like flat colour or noise.
for size in 1732x1155 4240x2832 6000x4000; do
  for format in jpg png; do
    file="$PICTURES/picture_$size.$format"
    [ -f "$file" ] && continue
    convert -size "$size" gradient:navy-orange -attenuate 0.4 +noise Gaussian -depth 8 -quality 90 "$file"
  done
done

# The references: each picture resized to each screen with the Catmull-Rom cubic, in
# the same gamma-encoded values (no conversion to linear light).
REFERENCES=$PICTURES/reference
mkdir -p "$REFERENCES"
for file in "$PICTURES"/picture_*.*; do
  for size in 1920x1080 3840x2160; do
    reference="$REFERENCES/$(basename "$file").$size.png"
    [ -f "$reference" ] || convert "$file" -filter Catrom -resize "$size!" -depth 8 "$reference"
  done
done

start_wine_desktop
trap stop_wine_desktop EXIT
for screen in "1920 1080" "3840 2160"; do
  echo "== screen ${screen/ /x}, median of $RUNS runs (times in ms)"
  # shellcheck disable=SC2086
  wine "$BENCH" --runs "$RUNS" --install $screen \
    "$(winepath -w "$PICTURES/picture_1732x1155.jpg")" "$(winepath -w "$PICTURES/picture_1732x1155.png")" \
    "$(winepath -w "$PICTURES/picture_4240x2832.jpg")" "$(winepath -w "$PICTURES/picture_4240x2832.png")" \
    "$(winepath -w "$PICTURES/picture_6000x4000.jpg")" "$(winepath -w "$PICTURES/picture_6000x4000.png")" \
    --references "$(winepath -w "$REFERENCES")"
done

# The resampler alone, from the same source: natively (optimised, no sanitizers) and
# under Wine.
NATIVE_BENCH=$ROOT/build/bench-native
mkdir -p "$NATIVE_BENCH"
g++ -std=c++17 -O3 -pthread -I"$ROOT" bench/ResamplerBench.cpp core/composition/Resampler.cpp core/composition/GammaTable.cpp \
  core/composition/PixelSpan.cpp core/composition/PictureGeometry.cpp core/composition/ResizeRules.cpp -o "$NATIVE_BENCH/resampler_bench"
echo "== resampler natively"
"$NATIVE_BENCH/resampler_bench" --runs "$RUNS"
echo "== resampler under Wine"
wine "$WIN_BUILD/bench/resampler_bench.exe" --runs "$RUNS"
