#!/usr/bin/env bash
# Writes the translators' template, po/tramontalia.pot, on standard output
# (`make pot`): the story's texts, as tools/pot writes them from its tables,
# then the page's words: those the scripts of web/ mark _('...'), as
# xgettext reads them, and those of the page's template and of the iFiction
# record's (web/tools/words.mjs). A word the story has too, such as a pause's
# line, is one message, with all its places and the story's note (msguniq
# would head the note with a line naming its file, which says nothing here).
# Usage: tools/pot.sh POT_TOOL   (needs gettext and Node.js)
set -euo pipefail
pot_tool=$(realpath "$1")
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
xgettext --language=JavaScript --from-code=UTF-8 --keyword= --keyword=_ --no-wrap --sort-by-file \
  --output="$work/scripts.pot" web/*.js
node web/tools/words.mjs web/index.html packaging/tramontalia.iFiction.in > "$work/templates.pot"
# The story's template, then the others' messages without their headers.
{ "$pot_tool"; for part in scripts templates; do echo; sed '1,/^$/d' "$work/$part.pot"; done; } > "$work/all.pot"
msguniq --no-wrap "$work/all.pot" | sed '/^#\. #-#-#-#-#/d'
