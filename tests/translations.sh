#!/usr/bin/env bash
# Usage: translations.sh SOURCE_DIR POT_TOOL TRANSLATE_ANSWERS_TOOL
# The translations as committed: the template is today's story's and its
# words' (`make pot` after a change of its texts), each language's pinned
# transcripts answer as the Spanish ones do (`make transcripts`), and every
# PO file passes gettext's own check and is whole. A check whose tool is
# missing says that it was skipped.
set -uo pipefail
cd "$1" || exit 1
skipped=()
if command -v xgettext > /dev/null && command -v node > /dev/null; then
  tools/write_pot.sh "$2" | cmp -s - po/tramontalia.pot ||
    { echo "FAIL: po/tramontalia.pot is not the story's and its words': run make pot"; exit 1; }
else
  skipped+=("the template (apt-get install gettext nodejs)")
fi
for language in $(sed -n 's/^\([a-z][a-zA-Z_]*\).*/\1/p' po/LINGUAS); do
  [ -d "tests/transcripts/$language" ] || continue
  for input in tests/transcripts/*.in; do
    translated=tests/transcripts/$language/${input##*/}
    "$3" "$language" < "$input" | cmp -s - "$translated" ||
      { echo "FAIL: $translated does not answer as $input: run make transcripts"; exit 1; }
  done
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
[ ${#skipped[@]} -eq 0 ] || { printf 'SKIPPED: %s\n' "${skipped[@]}"; exit 0; }
echo "the template, the transcripts and the PO files are as committed"
