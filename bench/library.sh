#!/usr/bin/env bash
# Times loading the names of a picture library of 100 000 pictures under Wine:
# all in one folder, and spread over 1 000 nested folders walked recursively.
#   bench/library.sh [runs] [peer-runs]
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/environment.sh
RUNS=${1:-5}
PEER_RUNS=${2:-1}

ensure_packages
build_windows || exit 1
BENCH=$WIN_BUILD/bench/library_bench.exe
[ -f "$BENCH" ] || { echo "library_bench.exe was not built"; exit 1; }

# Names as cameras and people give them: mostly "IMG_date_time.jpg", some
# "DSC" numbers in upper case, some accented words.
picture_names() {  # folder first count
  local folder=$1 first=$2 count=$3 i name
  for ((i = first; i < first + count; i++)); do
    case $((i % 20)) in
      0) printf -v name 'Été à Nîmes %05d.jpg' "$i" ;;
      1 | 2 | 3) printf -v name 'DSC%05d.JPG' "$i" ;;
      *) printf -v name 'IMG_2019%02d%02d_%06d.jpg' $((i % 12 + 1)) $((i % 28 + 1)) "$i" ;;
    esac
    : >"$folder/$name"
  done
}

LIBRARY=$ROOT/build/bench-library
if [ ! -f "$LIBRARY/complete" ]; then
  echo "Making the libraries in $LIBRARY"
  rm -rf "$LIBRARY" && mkdir -p "$LIBRARY" || exit 1
  mkdir -p "$LIBRARY/one folder"
  picture_names "$LIBRARY/one folder" 0 100000
  # 10 years of 100 events, 100 pictures each.
  for ((year = 2010; year < 2020; year++)); do
    for ((event = 0; event < 100; event++)); do
      printf -v folder '%s/nested folders/%d/%d-%02d-%02d Event %02d' "$LIBRARY" "$year" "$year" \
        $((event % 12 + 1)) $((event % 28 + 1)) "$event"
      mkdir -p "$folder"
      picture_names "$folder" $(((year - 2010) * 10000 + event * 100)) 100
    done
  done
  touch "$LIBRARY/complete"
fi

start_wine_desktop
trap stop_wine_desktop EXIT
echo "== 100 000 pictures, median of $RUNS runs, peer of $PEER_RUNS"
wine "$BENCH" --runs "$RUNS" --peer-runs "$PEER_RUNS" \
  "$(winepath -w "$LIBRARY/one folder")" "$(winepath -w "$LIBRARY/nested folders")" recursive
