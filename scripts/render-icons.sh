#!/usr/bin/env bash
# Renders the PNG icons beside the SVGs: the small drawing for 16 to 24 px, the
# full one above. Run after changing either SVG, and look at the results.
set -euo pipefail
cd "$(dirname "$0")/../packaging"
command -v rsvg-convert >/dev/null || apt-get install -y -qq --no-install-recommends librsvg2-bin
for size in 16 22 24 32 48 64 128 256; do
  source=velda.svg
  [ "$size" -le 24 ] && source=icons/velda-small.svg
  rsvg-convert -w "$size" -h "$size" "$source" -o "icons/velda-${size}.png"
done
