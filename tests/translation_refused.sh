#!/usr/bin/env bash
# Usage: translation_refused.sh CXX SOURCE_DIR PO_HEADER_TOOL
# The compiler refuses a broken translation and names the entry, by the same
# checks in every language: each case breaks one way a translation of its
# own, the template with every text given as it stands (msgen), and compiles
# the story, or the book's words, with it. Needs gettext's msgen.
set -uo pipefail
cxx=$1 src=$2 po_header=$3
command -v msgen > /dev/null || { echo "SKIPPED: the broken translations are made with msgen (apt-get install gettext)"; exit 0; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
whole=$work/xx.po
msgen --no-wrap -o "$whole" "$src/po/tramontalia.pot" || { echo "FAIL: msgen"; exit 1; }
sed -i '/^#, fuzzy$/d' "$whole"  # the header's mark
# The story's message, the first; the book's, after its context.
line_of() { grep -n -x -F "msgid \"$1\"" "$whole" | head -n 1 | cut -d: -f1; }
book_line_of() { grep -n -x -F -A 1 'msgctxt "book"' "$whole" | grep -F -- "-msgid \"$1\"" | cut -d- -f1; }
the_end=$(line_of Fin) press_enter=$(line_of "Pulsa enter") book_end=$(book_line_of Fin)
[ -n "$the_end" ] && [ -n "$press_enter" ] && [ -n "$book_end" ] || { echo "FAIL: the template lacks a message to break"; exit 1; }
bounce='d->dar saltos sobre la colchoneta'
# name|how the copy is broken (a sed script)|what the compiler must say (each of
# its ';'-separated parts, whichever compiler it is)|what it compiles (the story)
cases=(
  "untranslated|$((the_end + 1))s/^msgstr \"Fin\"\$/msgstr \"\"/|po/xx.po:$the_end: not translated yet"
  "fuzzy|${the_end}s/^/#, fuzzy\\n/|po/xx.po:$((the_end + 1)): marked fuzzy"
  "missing|${the_end},+1d|text_has_no_translation;\"Fin\""
  "too wide|$((press_enter + 1))s/^msgstr .*/msgstr \"Pulsa enter, o cualquier tecla que te guste y luego enter, para seguir con la historia\"/|po/xx.po:$press_enter: a line wider than 78 columns"
  "wide characters|$((press_enter + 1))s/^msgstr .*/msgstr \"$(printf '続%.0s' {1..40})\"/|po/xx.po:$press_enter: a line wider than 78 columns"
  "closing mark first|$((press_enter + 1))s/^msgstr .*/msgstr \"。続けるには Enter\"/|po/xx.po:$press_enter: a line opens with a closing mark"
  "key twice|s/^msgstr \"$bounce\"\$/msgstr \"a${bounce#d}\"/|key_repeated_in_one_menu;circular_room_options"
  "no longer in the story|\$a\\\\nmsgid \"Ya no\"\\nmsgstr \"No more\"|translates a text the story no longer has"
  "book word untranslated|$((book_end + 1))s/^msgstr \"Fin\"\$/msgstr \"\"/|po/xx.po:$((book_end - 1)): not translated yet|book/book.cpp"
  "book word fuzzy|$((book_end - 1))s/^/#, fuzzy\\n/|po/xx.po:$book_end: marked fuzzy|book/book.cpp"
  "book word missing|$((book_end - 1)),+2d|book_words_not_in_the_translation;\"Fin\"|book/book.cpp"
)
# Prints what is wrong with one case, if anything.
check() {
  local name=$1 script=$2 expected=$3 source=${4:-story/story.cpp} dir="$work/${1// /-}" part parts
  mkdir -p "$dir"
  sed -e "$script" "$whole" > "$dir/xx.po"
  cmp -s "$dir/xx.po" "$whole" && { echo "FAIL: $name: the case no longer breaks the translation"; return; }
  "$po_header" "$dir/xx.po" po/xx.po "$dir/translation.hpp" || { echo "FAIL: $name: po_header"; return; }
  "$cxx" -std=c++20 -fsyntax-only -DTRAMONTALIA_UTF8 -DTRAMONTALIA_LANGUAGE=xx '-DTRAMONTALIA_LANGUAGE_TAG="xx"' \
    -I"$dir" -I"$src" "$src/$source" > "$dir/log" 2>&1 && { echo "FAIL: $name: $source compiled"; return; }
  IFS=';' read -r -a parts <<< "$expected"
  for part in "${parts[@]}"; do
    grep -q -F "$part" "$dir/log" || { echo "FAIL: $name: the compiler did not say '$part'"; head -n 5 "$dir/log"; return; }
  done
}
# The unbroken translation itself compiles: what each case breaks is all that fails.
"$po_header" "$whole" po/xx.po "$work/translation.hpp" &&
  "$cxx" -std=c++20 -fsyntax-only -DTRAMONTALIA_UTF8 -DTRAMONTALIA_LANGUAGE=xx -I"$work" -I"$src" \
    "$src/story/story.cpp" > "$work/log" 2>&1 || { echo "FAIL: the unbroken translation does not compile"; head -n 5 "$work/log"; exit 1; }
for case in "${cases[@]}"; do
  IFS='|' read -r name script expected source <<< "$case"
  check "$name" "$script" "$expected" "$source" > "$work/${name// /-}.result" &
done
wait
cat "$work"/*.result
failed=$(cat "$work"/*.result | grep -c '^FAIL')
echo "$((${#cases[@]} - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
