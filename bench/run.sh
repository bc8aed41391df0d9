#!/usr/bin/env bash
# Times the wallpaper composition under Wine on generated pictures (2, 12 and
# 24 megapixels, JPEG and PNG) at 1920x1080 and 3840x2160 (a reload, and a next change
# that finds its picture prepared in the background), with the PSNR of each
# fitted picture against ImageMagick's Catmull-Rom resize, and beside it the peer:
# `xwallpaper --zoom` on its own 3840x2160 X screen, whole process (it decodes, scales
# and shows the same file), timed in the same run. Then the peak memory of a 24 MP
# reload at 3840x2160, and the resampler alone natively and under Wine.
#   bench/run.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/environment.sh
RUNS=${1:-5}

PACKAGES="$PACKAGES xwallpaper"
ensure_packages
build_windows || exit 1
BENCH=$WIN_BUILD/bench/composition_bench.exe
[ -f "$BENCH" ] || { echo "composition_bench.exe was not built"; exit 1; }

PICTURES=$ROOT/build/bench-pictures
mkdir -p "$PICTURES"
SIZES="1732x1155 4240x2832 6000x4000"
# A gradient with grain: compresses like a photograph rather than like flat colour or noise.
for size in $SIZES; do
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

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

start_wine_desktop
PEER_PID=""
trap 'stop_wine_desktop; [ -n "$PEER_PID" ] && kill "$PEER_PID" 2>/dev/null' EXIT

# The peer, on its own X screen of the larger size, every file in the same run.
PEER_DISPLAY=":$(free_display)"
Xvfb "$PEER_DISPLAY" -screen 0 3840x2160x24 -nolisten tcp >/dev/null 2>&1 &
PEER_PID=$!
for _ in $(seq 50); do DISPLAY=$PEER_DISPLAY xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
declare -A PEER
for size in $SIZES; do
  for format in jpg png; do
    file="$PICTURES/picture_$size.$format"
    PEER[$(basename "$file")]=$(for _ in $(seq "$RUNS"); do
      start=$(date +%s%N)
      DISPLAY=$PEER_DISPLAY xwallpaper --zoom "$file"
      echo $((($(date +%s%N) - start) / 1000000))
    done | median)
  done
done

RESULTS=$(mktemp)
for screen in "1920 1080" "3840 2160"; do
  echo "== screen ${screen/ /x}, median of $RUNS runs"
  # shellcheck disable=SC2086
  wine "$BENCH" --runs "$RUNS" --install $screen \
    "$(winepath -w "$PICTURES/picture_1732x1155.jpg")" "$(winepath -w "$PICTURES/picture_1732x1155.png")" \
    "$(winepath -w "$PICTURES/picture_4240x2832.jpg")" "$(winepath -w "$PICTURES/picture_4240x2832.png")" \
    "$(winepath -w "$PICTURES/picture_6000x4000.jpg")" "$(winepath -w "$PICTURES/picture_6000x4000.png")" \
    --references "$(winepath -w "$REFERENCES")" | tee -a "$RESULTS"
done

# RESULT <file> <picture size> <MP> <screen> reload R normalised N (+P%) redraw D decode C own O psnr Q prepared X
echo
echo "| Picture | Screen | Reload | Prepared next | Peer | Reload/peer | Prepared/peer | Normalised | Normalisation | Redraw | Decode | Own work | PSNR |"
echo "|---|---|---|---|---|---|---|---|---|---|---|---|---|"
while read -r tag file _ megapixels screen _ reload _ normalised extra _ redraw _ decode _ own _ psnr _ prepared; do
  [ "$tag" = RESULT ] || continue
  prepared=${prepared%$'\r'}  # Wine ends its lines with CR LF
  peer=${PEER[$file]:-0}
  kind=$([ "${file##*.}" = jpg ] && echo JPEG || echo PNG)
  ratio=$(awk -v r="$reload" -v p="$peer" 'BEGIN { printf (p > 0 ? "%.2f" : "-"), r / p }')
  preparedRatio=$(awk -v r="$prepared" -v p="$peer" 'BEGIN { printf (p > 0 ? "%.2f" : "-"), r / p }')
  [ "$screen" = 3840x2160 ] || { peer="-"; ratio="-"; preparedRatio="-"; }
  printf "| %s %s | %s | %.0f | %.0f | %s | %s | %s | %.0f | %s | %.0f | %.0f | %.0f | %s dB |\n" "${megapixels%MP} MP" \
    "$kind" "$screen" "$reload" "$prepared" "$peer" "$ratio" "$preparedRatio" "$normalised" "${extra//[()]/}" "$redraw" \
    "$decode" "$own" "$psnr"
done <"$RESULTS"
rm -f "$RESULTS"
echo "(times in ms; the peer runs at 3840x2160 only; own work is the reload less the decode, and normalisation what turning it on adds, each run by run)"

echo
echo "== peak memory of one reload"
wine "$BENCH" --memory 3840 2160 "$(winepath -w "$PICTURES/picture_6000x4000.jpg")"

# The resampler alone, from the same source: natively (optimised, no sanitizers) and
# under Wine.
NATIVE_BENCH=$ROOT/build/bench-native
mkdir -p "$NATIVE_BENCH"
g++ -std=c++17 -O3 -pthread -I"$ROOT" bench/ResamplerBench.cpp core/composition/Resampler.cpp core/composition/RowBands.cpp core/composition/GammaTable.cpp \
  core/composition/PixelSpan.cpp core/composition/PictureGeometry.cpp core/composition/ResizeRules.cpp -o "$NATIVE_BENCH/resampler_bench"
echo "== resampler natively"
"$NATIVE_BENCH/resampler_bench" --runs "$RUNS"
echo "== resampler under Wine"
wine "$WIN_BUILD/bench/resampler_bench.exe" --runs "$RUNS"
