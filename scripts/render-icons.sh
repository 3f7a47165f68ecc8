#!/usr/bin/env bash
# Renders the application icon's PNG sizes from resources/icons/vesta.svg (needs rsvg-convert,
# package librsvg2-bin). The PNGs are kept in the repository, so the build needs no renderer;
# run this after changing the SVG.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" "$here/resources/icons/vesta.svg" \
    -o "$here/resources/icons/vesta-$size.png"
done
