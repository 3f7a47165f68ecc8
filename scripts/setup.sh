#!/usr/bin/env bash
# Installs what Vesta needs from Debian's packages (only what is missing) and builds it.
# Usage: scripts/setup.sh [build-dir] [extra cmake arguments...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
shift || true

packages=(build-essential cmake ninja-build pkg-config git
          qt6-base-dev librtmidi-dev googletest libgtest-dev libgmock-dev
          libbenchmark-dev jackd2 xvfb xauth ccache)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  # As root apt-get runs directly; otherwise through sudo, keeping the environment for
  # DEBIAN_FRONTEND.
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo -E)
  export DEBIAN_FRONTEND=noninteractive
  "${as_root[@]}" apt-get update -qq
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$here" -B "$build" -G Ninja "$@" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
