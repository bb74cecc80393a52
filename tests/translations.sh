#!/usr/bin/env bash
# Usage: translations.sh SOURCE_DIR POT_TOOL TRANSLATE_ANSWERS_TOOL
# The translations as committed: the template is today's story's and its
# words' (`make pot` after a change of its texts), the English transcripts
# answer as the Spanish ones do (`make transcripts`), every PO file passes
# gettext's own check and is whole, and each manual page is the one its PO
# file makes (`make po`). A check whose tool is missing says that it was
# skipped.
set -uo pipefail
cd "$1" || exit 1
skipped=()
if command -v xgettext > /dev/null && command -v node > /dev/null; then
  tools/write_pot.sh "$2" | cmp -s - po/tramontalia.pot ||
    { echo "FAIL: po/tramontalia.pot is not the story's and its words': run make pot"; exit 1; }
else
  skipped+=("the template (apt-get install gettext nodejs)")
fi
for input in tests/transcripts/*.in; do
  "$3" < "$input" | cmp -s - "tests/transcripts/en/${input##*/}" ||
    { echo "FAIL: tests/transcripts/en/${input##*/} does not answer as $input: run make transcripts"; exit 1; }
done
if command -v msgfmt > /dev/null; then
  for po in po/*.po po/man/*.po; do
    msgfmt --check --output-file=/dev/null "$po" || { echo "FAIL: msgfmt --check refuses $po"; exit 1; }
    # Each language is whole: the story's texts the compiler checks, the others here.
    left=$(msgattrib --untranslated --no-obsolete "$po"; msgattrib --only-fuzzy --no-obsolete "$po")
    [ -z "$left" ] || { echo "FAIL: $po has messages untranslated or fuzzy:"; echo "$left" | head -n 20; exit 1; }
  done
else
  skipped+=("msgfmt --check (apt-get install gettext)")
fi
if command -v po4a > /dev/null; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/po" "$work/docs" && cp -r po/man "$work/po/" && cp docs/tramontalia.6 "$work/docs/"
  (cd "$work" && po4a --no-update po/man/po4a.cfg > /dev/null) || { echo "FAIL: po4a failed"; exit 1; }
  sed -i 's/[ \t]*$//' "$work"/docs/tramontalia-*.6  # as make po leaves them
  for page in "$work"/docs/tramontalia-*.6; do
    cmp -s "$page" "docs/${page##*/}" || { echo "FAIL: docs/${page##*/} is not its PO file's: run make po"; exit 1; }
  done
else
  skipped+=("the manual pages' translations (apt-get install po4a)")
fi
[ ${#skipped[@]} -eq 0 ] || { printf 'SKIPPED: %s\n' "${skipped[@]}"; exit 0; }
echo "the template, the PO files and the translated manual pages are as committed"
