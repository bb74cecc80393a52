#!/usr/bin/env bash
# The book's figures: its size and each translation's, its sections and links, and how soon
# `make book` has it again after a change of one passage, against `make web`
# after the same change. The passage is changed in place and put back, each
# a change that both rebuild after; both trees must be built already. Each
# translation is keyed by the story's own text, so the change is made to its
# PO file's entry too, as a fix that leaves the translation standing.
# Usage: bench/book.sh [ROUNDS]      (default: 2, each two changes; 0: no timing)
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-2}
epub=build/book/tramontalia.epub
passage=story/home.hpp
translations=(po/*.po)
fail() {
  echo "bench: $*" >&2
  exit 1
}
# Each translation's book: LANGUAGES's, as report.sh passes the Makefile's, or po/LINGUAS's.
books=("$epub")
for language in ${LANGUAGES-$(awk '/^[a-z]/ { print $1 }' po/LINGUAS)}; do
  books+=("build/book/tramontalia-$language.epub")
done
for file in "${books[@]}"; do [ -f "$file" ] || fail "no $file: run make book first"; done
[ -f build/web/tramontalia.html ] || fail "run make web first"
for file in "$passage" "${translations[@]}"; do
  grep -q 'enciendes la televisión' "$file" || fail "$file no longer holds the line this bench changes"
done

tmp=$(mktemp -d)
for file in "$passage" "${translations[@]}"; do cp -p "$file" "$tmp/$(basename "$file")"; done
restore() {
  for file in "$passage" "${translations[@]}"; do cp -p "$tmp/$(basename "$file")" "$file"; done
  rm -rf "$tmp"
}
trap restore EXIT

# Milliseconds that a make target takes, quietly.
time_make() {
  local start end
  start=$(date +%s%N)
  make --no-print-directory "$1" > "$tmp/make.log" 2>&1 || { cat "$tmp/make.log" >&2; fail "make $1 failed"; }
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}
book=0 web=0
for _ in $(seq "$rounds"); do
  for change in 's/enciendes la televisión/enciendes la tele/' 's/enciendes la tele\./enciendes la televisión./'; do
    sed -i "$change" "$passage" "${translations[@]}"
    book=$((book + $(time_make book)))
    web=$((web + $(time_make web)))
  done
done
[ "$rounds" -eq 0 ] || book=$((book / rounds / 2)) web=$((web / rounds / 2))

unzip -Z1 "$epub" | grep -c '^EPUB/s[0-9]*\.xhtml$' > "$tmp/sections"
links=$(unzip -p "$epub" 'EPUB/s*.xhtml' | grep -o '<a href="s[0-9]*\.xhtml"' | wc -l)
ends=$(unzip -p "$epub" 'EPUB/s*.xhtml' | grep -c '<p class="fin">' || true)
endings=$(unzip -p "$epub" 'EPUB/s*.xhtml' | grep '<p class="final">' | sort -u | wc -l)
size=$(stat -c %s "$epub")
cover=$(unzip -Zl "$epub" EPUB/cover.png | awk 'NR == 1 { print $6 }')

echo
printf '%-30s %12s %26s %8s %9s\n' measure book reference ratio target
printf '%-30s %12s %26s %8s %9s\n' "book size (KiB)" $((size / 1024)) "cover $((cover / 1024)) KiB" - "<= 200"
for translated in "${books[@]:1}"; do
  language=${translated##*/tramontalia-}
  printf '%-30s %12s %26s %8s %9s\n' "book size, ${language%.epub} (KiB)" $(($(stat -c %s "$translated") / 1024)) - - "<= 200"
done
printf '%-30s %12s %26s %8s %9s\n' "book sections" "$(cat "$tmp/sections")" "$ends end, in $endings endings" - - \
  "book links" "$links" "options and new starts" - -
[ "$rounds" -eq 0 ] || printf '%-30s %12s %26s %8s %9s\n' "make book, a passage (ms)" "$book" "$web (make web)" \
  "$(awk -v a="$book" -v b="$web" 'BEGIN { printf "%.2fx", a / b }')" "<= 1.5x"
