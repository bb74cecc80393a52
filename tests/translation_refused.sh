#!/usr/bin/env bash
# Usage: translation_refused.sh CXX SOURCE_DIR PO_HEADER_TOOL
# The compiler refuses a broken translation and names the entry: each case
# breaks a copy of po/en.po one way and compiles the story, or the book's
# words, with it.
set -uo pipefail
cxx=$1 src=$2 po_header=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The story's message, the first; the book's, after its context.
line_of() { grep -n -x -F "msgid \"$1\"" "$src/po/en.po" | head -n 1 | cut -d: -f1; }
book_line_of() { grep -n -x -F -A 1 'msgctxt "book"' "$src/po/en.po" | grep -F -- "-msgid \"$1\"" | cut -d- -f1; }
the_end=$(line_of Fin) press_enter=$(line_of "Pulsa enter") book_end=$(book_line_of Fin)
[ -n "$the_end" ] && [ -n "$press_enter" ] && [ -n "$book_end" ] || { echo "FAIL: po/en.po lacks a message to break"; exit 1; }
# name|how the copy is broken (a sed script)|what the compiler must say (each of
# its ';'-separated parts, whichever compiler it is)|what it compiles (the story)
cases=(
  "untranslated|$((the_end + 1))s/^msgstr \"The End\"\$/msgstr \"\"/|po/en.po:$the_end: not translated yet"
  "fuzzy|${the_end}s/^/#, fuzzy\\n/|po/en.po:$((the_end + 1)): marked fuzzy"
  "missing|${the_end},+1d|text_has_no_translation;\"Fin\""
  "too wide|s/^msgstr \"Press Enter\"\$/msgstr \"Press Enter, or any key that you like and then Enter, to go on with the story of your dream\"/|po/en.po:$press_enter: a line wider than 78 columns"
  "wide characters|s/^msgstr \"Press Enter\"\$/msgstr \"$(printf '続%.0s' {1..40})\"/|po/en.po:$press_enter: a line wider than 78 columns"
  "closing mark first|s/^msgstr \"Press Enter\"\$/msgstr \"。続けるには Enter\"/|po/en.po:$press_enter: a line opens with a closing mark"
  "key twice|s/^msgstr \"b->bounce on the mattress\"\$/msgstr \"l->bounce on the mattress\"/|key_repeated_in_one_menu;circular_room_options"
  "no longer in the story|\$a\\\\nmsgid \"Ya no\"\\nmsgstr \"No more\"|translates a text the story no longer has"
  "book word untranslated|$((book_end + 1))s/^msgstr \"The End\"\$/msgstr \"\"/|po/en.po:$((book_end - 1)): not translated yet|book/book.cpp"
  "book word fuzzy|$((book_end - 1))s/^/#, fuzzy\\n/|po/en.po:$book_end: marked fuzzy|book/book.cpp"
  "book word missing|$((book_end - 1)),+2d|book_words_not_in_the_translation;\"Fin\"|book/book.cpp"
)
# Prints what is wrong with one case, if anything.
check() {
  local name=$1 script=$2 expected=$3 source=${4:-story/story.cpp} dir="$work/${1// /-}" part parts
  mkdir -p "$dir"
  sed -e "$script" "$src/po/en.po" > "$dir/en.po"
  cmp -s "$dir/en.po" "$src/po/en.po" && { echo "FAIL: $name: the case no longer breaks po/en.po"; return; }
  "$po_header" "$dir/en.po" po/en.po "$dir/translation.hpp" || { echo "FAIL: $name: po_header"; return; }
  "$cxx" -std=c++20 -fsyntax-only -DTRAMONTALIA_UTF8 -DTRAMONTALIA_LANGUAGE=en -I"$dir" -I"$src" \
    "$src/$source" > "$dir/log" 2>&1 && { echo "FAIL: $name: $source compiled"; return; }
  IFS=';' read -r -a parts <<< "$expected"
  for part in "${parts[@]}"; do
    grep -q -F "$part" "$dir/log" || { echo "FAIL: $name: the compiler did not say '$part'"; head -n 5 "$dir/log"; return; }
  done
}
for case in "${cases[@]}"; do
  IFS='|' read -r name script expected source <<< "$case"
  check "$name" "$script" "$expected" "$source" > "$work/${name// /-}.result" &
done
wait
cat "$work"/*.result
failed=$(cat "$work"/*.result | grep -c '^FAIL')
echo "$((${#cases[@]} - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
