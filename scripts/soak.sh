#!/usr/bin/env bash
# A long run of wallpaper changes through the hotkey message, reporting the
# program's memory and GDI/USER object counts at the start and the end.
# Usage: scripts/soak.sh [changes]   (default 2000)
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/environment.sh
ensure_packages
build_windows || exit 1
start_wine_desktop
wine "$WIN_BUILD/soak_driver.exe" "${1:-2000}"
status=$?
stop_wine_desktop
exit $status
