#!/usr/bin/env bash
# Line coverage of src by the whole test suite, with gcovr (Debian package gcovr).
# Usage: scripts/coverage.sh [build-dir]   (default build-cov; prints gcovr's summary)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build-cov}
command -v gcovr >/dev/null || { echo "coverage needs gcovr: apt-get install gcovr" >&2; exit 1; }
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0 -DCMAKE_CXX_FLAGS=--coverage \
      -DCMAKE_EXE_LINKER_FLAGS=--coverage >/dev/null
cmake --build "$build" --parallel "$(nproc)"
find "$build" -name '*.gcda' -delete
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
# A failing test still leaves its counts; the summary says what ran.
(cd "$build" && ctest --timeout 600 -j "$(nproc)" --output-on-failure) || true
gcovr --root "$here" --filter "$here/src/" --object-directory "$build" --print-summary \
      --txt "$build/coverage.txt" --gcov-ignore-parse-errors 2>/dev/null | tail -3
