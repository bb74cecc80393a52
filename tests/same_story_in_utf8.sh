#!/usr/bin/env bash
# Usage: same_story_in_utf8.sh LATIN1_GAME UTF8_GAME TRANSCRIPT_DIR
# Plays every transcript input through both editions and compares the UTF-8
# edition's output with the ISO-8859-1 edition's, converted by iconv.
set -euo pipefail
latin1_game=$1 utf8_game=$2 dir=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

banner4_latin1='variante [completa; C-Ejecutable NetBSD/x86_64; texto ISO-8859-1; 80 columnas]'
banner4_utf8='variante [completa; C-Ejecutable NetBSD/x86_64; texto UTF-8; 80 columnas]'

failed=0 played=0
for input in "$dir"/*.in; do
  "$latin1_game" < "$input" | iconv -f ISO-8859-1 -t UTF-8 > "$work/converted"
  "$utf8_game" < "$input" > "$work/utf8"
  # Line 4 is the banner's charset line; everything else must match byte for byte.
  if [ "$(sed -n 4p "$work/converted")" != "$banner4_latin1" ] ||
     [ "$(sed -n 4p "$work/utf8")" != "$banner4_utf8" ] ||
     ! cmp -s <(sed 4d "$work/converted") <(sed 4d "$work/utf8"); then
    echo "differs: $(basename "$input")"
    failed=$((failed + 1))
  fi
  played=$((played + 1))
done
echo "$((played - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
