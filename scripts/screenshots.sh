#!/usr/bin/env bash
# Pictures of every page and window of the program at 100 % and 150 % display
# scaling, for a person to look at: build/screenshots/100 and build/screenshots/150.
# The layout test walks the pages and saves each one; the 150 % run uses a copy
# of the test prefix whose display resolution is 144 DPI.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/environment.sh

ensure_packages
build_windows || exit 1
[ -z "${DISPLAY:-}" ] && export MURALOTROPE_OWN_DISPLAY=1
start_wine_desktop
wineserver -k >/dev/null 2>&1

prepare_scaled_prefix

status=0
for scale in 100 150; do
  prefix=$WINEPREFIX
  [ "$scale" = 150 ] && prefix=$SCALED_PREFIX
  folder=$ROOT/build/screenshots/$scale
  rm -rf "$folder"
  mkdir -p "$folder"
  # The layout test saves a BMP of each page into the folder the variable names.
  MURALOTROPE_SHOTS=$(WINEPREFIX=$prefix winepath -w "$folder") WINEPREFIX=$prefix \
    wine "$WIN_BUILD/e2e_tests.exe" --gtest_brief=1 --gtest_filter='LayoutTest.Every*' 2>/dev/null || status=1
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
  for picture in "$folder"/*.bmp; do
    [ -f "$picture" ] && convert "$picture" "${picture%.bmp}.png" && rm "$picture"
  done
  echo "$scale %: $(ls "$folder" | wc -l) pictures in build/screenshots/$scale"
done
stop_wine_desktop
exit $status
