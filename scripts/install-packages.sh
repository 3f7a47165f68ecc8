#!/usr/bin/env bash
# Installs the Debian packages Vesta needs to build and test, only those that are missing: with
# apt-get directly as root (containers, CI images), through sudo otherwise. Builds nothing.
# Usage: scripts/install-packages.sh
set -euo pipefail

packages=(build-essential cmake ninja-build pkg-config git
          qt6-base-dev librtmidi-dev googletest libgtest-dev libgmock-dev
          libbenchmark-dev jackd2 xvfb xauth ccache libsqlite3-dev
          # The manual pages are made with help2man; the Debian package needs dpkg-shlibdeps
          # (dpkg-dev, file); the install test checks the result with the desktop's own tools.
          help2man dpkg-dev file desktop-file-utils appstream libxml2-utils shared-mime-info
          man-db groff-base bash-completion
          # The screen-reader test: the accessibility bus, its Python bindings, a D-Bus session.
          at-spi2-core python3-pyatspi dbus)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -gt 0 ] || exit 0

echo "Installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "Installing packages needs root: run this as root, or install sudo." >&2
    exit 1
  fi
  # -E keeps DEBIAN_FRONTEND, so that apt-get asks nothing.
  as_root=(sudo -E)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
