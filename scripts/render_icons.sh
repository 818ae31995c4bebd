#!/usr/bin/env bash
# Renders the program icon's PNG sizes from its SVG, after a change to the drawing; the PNGs are
# committed, so the build needs no SVG renderer. Needs rsvg-convert (librsvg2-bin) and pngquant.
set -euo pipefail
ICONS="$(cd "$(dirname "${BASH_SOURCE[0]}")/../data/desktop/icons" && pwd)"
ID=org.pellicorio.Pellicorio
for size in 16 32 48 64 128 256; do
  out="$ICONS/${size}x${size}.png"
  rsvg-convert -w "$size" -h "$size" "$ICONS/$ID.svg" -o "$out"
  pngquant --force --skip-if-larger --strip --output "$out" -- "$out" || true
done
