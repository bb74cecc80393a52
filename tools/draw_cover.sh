#!/usr/bin/env bash
# Draws a cover of the release: COVER's SVG with the game's icon, 32 units
# wide, set in its marked place. The icon goes in whole, as vector shapes:
# drawn as an image, it would be a blurred 32-pixel picture. The tall cover
# is the book's, at 1,600 x 2,560 pixels, as book stores want it; the square
# one is for catalogues of interactive fiction, at 960 x 960, the size the
# Treaty of Babel recommends to them.
# Usage: tools/draw_cover.sh PACKAGING_DIR COVER OUTPUT.png
#   COVER: tramontalia-cover (tall) or tramontalia-cover-square
set -euo pipefail
case $2 in
  tramontalia-cover) size=(1600 2560) ;;
  tramontalia-cover-square) size=(960 960) ;;
  *) echo "draw_cover.sh: no cover named '$2'" >&2; exit 2 ;;
esac
sed '1s/<svg /<svg width="32" height="32" /' "$1/tramontalia.svg" |
  sed -e '/<!-- tramontalia.svg -->/{r /dev/stdin' -e 'd}' "$1/$2.svg" |
  rsvg-convert -w "${size[0]}" -h "${size[1]}" -o "$3"
