#!/usr/bin/env bash
# Draws the cover of the book and of the release: the cover's SVG with the
# game's icon, 32 units wide, set in its marked place, at 1,600 x 2,560
# pixels. The icon goes in whole, as vector shapes: drawn as an image, it
# would be a blurred 32-pixel picture.
# Usage: tools/draw_cover.sh PACKAGING_DIR OUTPUT.png
set -euo pipefail
sed '1s/<svg /<svg width="32" height="32" /' "$1/tramontalia.svg" |
  sed -e '/<!-- tramontalia.svg -->/{r /dev/stdin' -e 'd}' "$1/tramontalia-cover.svg" |
  rsvg-convert -w 1600 -h 2560 -o "$2"
