#!/usr/bin/env bash
# Installs what is missing, builds, prepares a program folder with sample
# pictures and starts Muralotrope under Wine in a virtual desktop.
set -uo pipefail
cd "$(dirname "$0")"
source scripts/environment.sh

ensure_packages
build_windows || exit 1
[ -z "${DISPLAY:-}" ] && OWN_DISPLAY=1 || OWN_DISPLAY=""
start_wine_desktop

PROGRAM_DIR=$ROOT/build/run
PICTURES=$PROGRAM_DIR/Pictures
mkdir -p "$PICTURES"
cp "$WIN_BUILD/Muralotrope.exe" "$PROGRAM_DIR/"
# Sample pictures made here, so the repository carries none.
if [ ! -f "$PICTURES/sample-1.jpg" ]; then
  convert -size 1600x1000 gradient:'#1e3c72'-'#2a5298' "$PICTURES/sample-1.jpg"
  convert -size 1200x900 plasma:fractal -blur 0x2 "$PICTURES/sample-2.jpg"
  convert -size 800x600 radial-gradient:'#f6d365'-'#fda085' "$PICTURES/sample-3.png"
fi
if [ ! -f "$PROGRAM_DIR/Muralotrope.ini" ]; then
  windows_path=$(winepath -w "$PICTURES")
  printf '[DirectoryList]\r\nCount=1\r\nTitle0=%s\r\nActive0=TRUE\r\nRecurs0=FALSE\r\n' "$windows_path" \
    > "$PROGRAM_DIR/Muralotrope.ini"
fi

(cd "$PROGRAM_DIR" && wine Muralotrope.exe ShowOnStart >/dev/null 2>&1 &)
if [ -n "$OWN_DISPLAY" ]; then
  # Wait (up to 30 s) for the first timer tick to compose and install the wallpaper.
  wallpaper="$WINEPREFIX/drive_c/users/$(id -un)/Temp/Muralotrope_Wallpaper.bmp"
  for _ in $(seq 60); do [ -f "$wallpaper" ] && break; sleep 0.5; done
  sleep 2
  screenshot "$ROOT/build/run-screenshot.png"
  echo "Screenshot of the desktop: build/run-screenshot.png"
  echo "Muralotrope runs on display $DISPLAY; stop it with: WINEPREFIX=$WINEPREFIX wineserver -k"
else
  echo "Muralotrope is running in the Wine desktop on $DISPLAY."
fi
