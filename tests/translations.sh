#!/usr/bin/env bash
# Usage: translations.sh SOURCE_DIR POT_TOOL TRANSLATE_ANSWERS_TOOL
# The translations as committed: the template is today's story's and page's
# (`make pot` after a change of their texts), the English transcripts answer as the
# Spanish ones do (`make transcripts`), every PO file passes gettext's own
# check, and each manual page is the one its PO file makes (`make po`). A
# check whose tool is missing says that it was skipped.
set -uo pipefail
cd "$1" || exit 1
for input in tests/transcripts/*.in; do
  "$3" < "$input" | cmp -s - "tests/transcripts/en/${input##*/}" ||
    { echo "FAIL: tests/transcripts/en/${input##*/} does not answer as $input: run make transcripts"; exit 1; }
done
skipped=()
if command -v msgfmt > /dev/null && command -v node > /dev/null; then
  tools/pot.sh "$2" | cmp -s - po/tramontalia.pot ||
    { echo "FAIL: po/tramontalia.pot is not the story's and the page's: run make pot"; exit 1; }
  for po in po/*.po po/man/*.po; do
    msgfmt --check --output-file=/dev/null "$po" || { echo "FAIL: msgfmt --check refuses $po"; exit 1; }
  done
else
  skipped+=("the template and msgfmt --check (apt-get install gettext nodejs)")
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
