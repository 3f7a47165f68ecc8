#!/usr/bin/env bash
# Sets up, builds and runs every test (unit, GUI offscreen, and the JACK end-to-end tests).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" "$here/build"
export QT_QPA_PLATFORM=offscreen
cd "$here/build"
ctest --output-on-failure --timeout 600 -j "$(nproc)"
