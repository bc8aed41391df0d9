#!/usr/bin/env bash
# Installs what is missing, builds both builds, and runs every test suite:
# core natively under the sanitizers, platform and end-to-end under Wine in a
# private prefix on a private X display. The last line counts the results.
set -uo pipefail
cd "$(dirname "$0")"
source scripts/environment.sh

ensure_packages
build_native || { echo "0 passed, 1 failed"; exit 1; }
build_windows || { echo "0 passed, 1 failed"; exit 1; }
start_wine_desktop

results=$(mktemp)
# Every suite runs through CTest; the Windows ones under Wine, CTest's emulator.
run_suite() {  # name build-folder
  echo "== $1"
  ctest --test-dir "$2" -R "^$1\$" -V 2>&1 | sed -E 's/^[0-9]+: //' | tee "$results.$1"
}
run_suite core "$NATIVE_BUILD"
run_suite platform "$WIN_BUILD"
run_suite e2e "$WIN_BUILD"
# The layout once more at 150 % scaling, in a copy of the prefix set to 144 DPI.
prepare_scaled_prefix
(export WINEPREFIX=$SCALED_PREFIX; wineserver -p; wine cmd /c exit; run_suite layout150 "$WIN_BUILD"; wineserver -k) 2>/dev/null
stop_wine_desktop

# Skips that only a platform limit explains, by the start of their message. Any
# other skip hides a failure and counts as one.
PLATFORM_LIMIT_SKIPS=(
  "this file system gives no short names"
  "this system makes no directory links"
)
# Skip messages of a brief run: the line after each "<file>:<line>: Skipped".
skip_messages() { awk '{ sub(/\r$/, "") } skipped { print; skipped = 0 } /: Skipped$/ { skipped = 1 }' "$1"; }
is_platform_limit() {
  local prefix
  for prefix in "${PLATFORM_LIMIT_SKIPS[@]}"; do [[ "$1" == "$prefix"* ]] && return 0; done
  return 1
}

passed=0; failed=0; skipped=0
for suite in core platform e2e layout150; do
  file="$results.$suite"
  p=$(grep -Eo '^\[  PASSED  \] [0-9]+' "$file" | grep -Eo '[0-9]+$' | tail -n1)
  # Brief output lists each failed test once, as "[  FAILED  ] Suite.Test (N ms)".
  f=$(grep -Ec '^\[  FAILED  \] [A-Za-z0-9_/]+\.[A-Za-z0-9_/]+ \(' "$file")
  ran=$(grep -Ec '^\[==========\] [0-9]+ tests? from .* ran' "$file")
  if [ "$ran" -eq 0 ]; then f=$(( ${f:-0} + 1 )); echo "$suite: the suite did not finish"; fi
  s=$(grep -Eo '^\[  SKIPPED \] [0-9]+' "$file" | grep -Eo '[0-9]+$' | tail -n1)
  known=0
  while IFS= read -r message; do
    if is_platform_limit "$message"; then known=$((known + 1)); else echo "$suite: a skip counts as a failure: $message"; fi
  done < <(skip_messages "$file")
  [ "$known" -gt "${s:-0}" ] && known=${s:-0}
  passed=$(( passed + ${p:-0} )); failed=$(( failed + ${f:-0} + ${s:-0} - known )); skipped=$(( skipped + known ))
done
rm -f "$results" "$results".*
if [ "$skipped" -gt 0 ]; then
  echo "$passed passed, $failed failed, $skipped skipped"
else
  echo "$passed passed, $failed failed"
fi
[ "$failed" -eq 0 ]
