#!/usr/bin/env bash
# Usage: tools/write_pot.sh POT_TOOL > po/tramontalia.pot
# The translators' whole template: the story's texts, written by the pot tool
# from the story's tables, then the words of the menu entry and of the
# software centre's record, as gettext's xgettext finds them (our own rules
# say what of the record is translated: packaging/its), the book's own words
# and the page's. A word the story has too, such as a pause's line, is one
# message, with all its places and the story's note. `make pot` runs it
# (needs gettext and Node.js).
set -euo pipefail
pot_tool=$1
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8 GETTEXTDATADIRS=$PWD/packaging
"$pot_tool" > "$work/story.pot"
# xgettext warns of every msgid that is not ASCII: the game's texts are Spanish. (Its
# header stays: without it, this xgettext writes what is not ASCII as nothing.)
xgettext --from-code=UTF-8 --no-wrap --language=Desktop -o "$work/desktop.pot" \
  packaging/tramontalia.desktop.in 2> "$work/warnings"
cp packaging/tramontalia.metainfo.xml.in "$work/tramontalia.metainfo.xml"
(cd "$work" && xgettext --from-code=UTF-8 --no-wrap -o metainfo.pot tramontalia.metainfo.xml) \
  2>> "$work/warnings"
sed -i 's|^#: tramontalia.metainfo.xml|#: packaging/tramontalia.metainfo.xml.in|' "$work/metainfo.pot"
# The book's own words, BOOK_WORDS("...") in book/*.cpp, and its cover's
# description (book/cover.its), each given the context "book", which keeps
# them apart from the story's same words ("Fin"); by file rather than by
# line, so that a change elsewhere in the book leaves the template alone.
xgettext --from-code=UTF-8 --no-wrap --add-location=file --keyword \
  --keyword='BOOK_WORDS:1,"Words of the gamebook, around the story."' -o "$work/book.pot" book/*.cpp \
  2>> "$work/warnings"
xgettext --from-code=UTF-8 --no-wrap --add-location=file --its=book/cover.its -o "$work/cover.pot" \
  packaging/tramontalia-cover.svg 2>> "$work/warnings"
sed -i '0,/^msgid /!s/^msgid /msgctxt "book"\nmsgid /' "$work/book.pot" "$work/cover.pot"
# The page's words: those the scripts of web/ mark _('...'), as xgettext
# reads them, and those of the page's template and of the iFiction record's
# (web/tools/words.mjs).
xgettext --language=JavaScript --from-code=UTF-8 --keyword= --keyword=_ --no-wrap --sort-by-file \
  -o "$work/scripts.pot" web/*.js 2>> "$work/warnings"
node web/tools/words.mjs web/index.html packaging/tramontalia.iFiction.in > "$work/templates.pot"
grep -v -e 'contains non-ASCII' -e 'will cause problems' -e 'different from yours' -e 'Consider using' \
  -e '^ \{20,\}' "$work/warnings" >&2 || true
# msgcat would head a note met twice with a line naming its file, which says nothing here.
msgcat --use-first --no-wrap "$work/story.pot" "$work/desktop.pot" "$work/metainfo.pot" "$work/book.pot" \
  "$work/cover.pot" "$work/scripts.pot" "$work/templates.pot" | sed '/^#\. #-#-#-#-#/d'

