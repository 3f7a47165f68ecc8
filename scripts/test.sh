#!/usr/bin/env bash
# Sets up, builds and runs every test (unit, GUI offscreen, and the JACK end-to-end tests), then
# the same tests once more in a build with AddressSanitizer and UndefinedBehaviorSanitizer.
# Usage: scripts/test.sh [--no-sanitize]   (the second skips the sanitized build)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
export QT_QPA_PLATFORM=offscreen

"$here/scripts/setup.sh" "$here/build"
(cd "$here/build" && ctest --output-on-failure --timeout 600 -j "$(nproc)")

[ "${1:-}" = "--no-sanitize" ] && exit 0
# The install and package checks look at files, not at running code: the plain build covers them.
"$here/scripts/setup.sh" "$here/build-asan" -DVESTA_SANITIZE=ON
(cd "$here/build-asan" && ctest --output-on-failure --timeout 900 -j "$(nproc)" -E '^(install|scripts)\.')
