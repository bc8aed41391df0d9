# Shared by test.sh and run.sh: packages, builds and the Wine desktop.
ROOT=$(pwd)
NATIVE_BUILD=$ROOT/build/native
WIN_BUILD=$ROOT/build/win64
export WINEPREFIX=$ROOT/build/wineprefix
# A copy of the test prefix whose display runs at 150 % (144 DPI).
SCALED_PREFIX=$ROOT/build/wineprefix150
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
JOBS=$(nproc 2>/dev/null || echo 2)

PACKAGES="cmake make g++ googletest g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 xvfb xauth \
fonts-liberation2 imagemagick x11-utils x11-xserver-utils"

ensure_packages() {
  local missing=()
  for package in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

build_native() {
  cmake -S "$ROOT" -B "$NATIVE_BUILD" -DMURALOTROPE_NATIVE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null &&
    cmake --build "$NATIVE_BUILD" -j"$JOBS" 2>&1 | grep -E "error:|warning:|Error [0-9]" ; return "${PIPESTATUS[0]}"
}

build_windows() {
  cmake -S "$ROOT" -B "$WIN_BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null &&
    cmake --build "$WIN_BUILD" -j"$JOBS" 2>&1 | grep -E "error:|warning:|Error [0-9]" ; return "${PIPESTATUS[0]}"
}

# A free X display number.
free_display() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  echo "$n"
}

prepare_prefix() {
  if [ ! -f "$WINEPREFIX/.prepared" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    wineserver -w
    # Every program of the prefix runs in one virtual desktop with a taskbar,
    # so the tests' driver sees the program's windows.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1280x1024 /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d 'Liberation Sans' /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.prepared"
  fi
}

# Ends the test prefix's programs; the first time, copies the prefix then.
prepare_scaled_prefix() {
  wineserver -k >/dev/null 2>&1
  wineserver -w
  if [ ! -f "$SCALED_PREFIX/.prepared" ]; then
    rm -rf "$SCALED_PREFIX"
    cp -a "$WINEPREFIX" "$SCALED_PREFIX"
    WINEPREFIX=$SCALED_PREFIX wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f \
      >/dev/null 2>&1
    WINEPREFIX=$SCALED_PREFIX wineserver -w
  fi
}

start_wine_desktop() {
  if [ -z "${DISPLAY:-}" ] || [ -n "${MURALOTROPE_OWN_DISPLAY:-}" ]; then
    local n
    n=$(free_display)
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  fi
  prepare_prefix
  # Keep one wineserver and the desktop up for the whole run, so that the
  # first program of a suite does not race the desktop's start.
  wineserver -p >/dev/null 2>&1
  wine cmd /c exit >/dev/null 2>&1
}

stop_wine_desktop() {
  wineserver -k >/dev/null 2>&1
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  XVFB_PID=""
}

# Wine's virtual desktop paints a new wallpaper straight over the windows on
# it; an X refresh makes every window paint itself again before a screenshot.
screenshot() {  # file
  xrefresh >/dev/null 2>&1
  sleep 1
  import -window root "$1"
}
