#!/bin/sh
# Builds the fuzz targets in build-fuzz with clang-14 and runs each for SECONDS seconds, one after
# the other at low priority (the machine is shared), on corpora seeded with small valid files and
# reply streams. Crash inputs land in build-fuzz/findings/.
# Usage: fuzz/run.sh SECONDS [TARGET...]
#   (targets: syx_fuzz glb_fuzz lib_fuzz midifile_fuzz instrument_fuzz transfer_fuzz)
set -eu
seconds=${1:?usage: fuzz/run.sh SECONDS [TARGET...]}
shift
targets=${*:-syx_fuzz glb_fuzz lib_fuzz midifile_fuzz instrument_fuzz transfer_fuzz}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz

CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -G Ninja -DVESTA_BUILD_FUZZ=ON \
  -DVESTA_BUILD_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# shellcheck disable=SC2086
nice -n 10 cmake --build "$build" --target fuzz_seeds $targets -j2

"$build/fuzz/fuzz_seeds" "$build/seeds"
mkdir -p "$build/findings"
export LSAN_OPTIONS="suppressions=$root/sanitize/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export QT_QPA_PLATFORM=offscreen

run_one() {
  name=$1
  kind=${name%_fuzz}
  corpus=$build/corpus/$kind
  mkdir -p "$corpus"
  cp -n "$build/seeds/$kind"/* "$corpus"/ 2>/dev/null || true
  case $kind in
    glb) maxlen=230000 ;;
    lib) maxlen=24000 ;;
    midifile) maxlen=8192 ;;
    instrument) maxlen=20000 ;;
    transfer) maxlen=120000 ;;
    *) maxlen=90000 ;;
  esac
  dict=
  [ -f "$root/fuzz/$kind.dict" ] && dict=-dict=$root/fuzz/$kind.dict
  # shellcheck disable=SC2086
  nice -n 10 "$build/fuzz/$name" "$corpus" -max_total_time="$seconds" -max_len="$maxlen" $dict \
    -print_final_stats=1 -artifact_prefix="$build/findings/$kind-" \
    >"$build/$kind.log" 2>&1 || true
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$build/$kind.log" | grep -o '[0-9]*$' || echo 0)
  rate=$(grep -o 'exec/s: [0-9]*' "$build/$kind.log" | tail -1 | grep -o '[0-9]*$' || echo 0)
  crashes=$(ls "$build/findings" | grep -c "^$kind-" || true)
  echo "$name: $execs executions, $rate exec/s, $crashes crash inputs (log $build/$kind.log)"
}

for target in $targets; do
  run_one "$target"
done
