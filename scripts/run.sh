#!/usr/bin/env bash
# Sets up, builds and starts Vesta. Arguments are passed on to the program.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" "$here/build"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: starting Vesta on a virtual X display (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$here/build/src/app/vesta" "$@"
fi
exec "$here/build/src/app/vesta" "$@"
