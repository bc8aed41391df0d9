#!/usr/bin/env bash
# Times the wallpaper composition under Wine on generated pictures (2, 12 and
# 24 megapixels, JPEG and PNG) at 1920x1080 and 3840x2160.
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

start_wine_desktop
trap stop_wine_desktop EXIT
for screen in "1920 1080" "3840 2160"; do
  echo "== screen ${screen/ /x}, median of $RUNS runs (times in ms)"
  # shellcheck disable=SC2086
  wine "$BENCH" --runs "$RUNS" --install $screen \
    "$(winepath -w "$PICTURES/picture_1732x1155.jpg")" "$(winepath -w "$PICTURES/picture_1732x1155.png")" \
    "$(winepath -w "$PICTURES/picture_4240x2832.jpg")" "$(winepath -w "$PICTURES/picture_4240x2832.png")" \
    "$(winepath -w "$PICTURES/picture_6000x4000.jpg")" "$(winepath -w "$PICTURES/picture_6000x4000.png")"
done
