#!/usr/bin/env bash
# Usage: new_language.sh SOURCE_DIR
# A language is its PO files and nothing more: in a clean copy of the
# source, a made-up language (xx, a copy of po/LINGUAS's first translation)
# is added to po/LINGUAS with its two PO files, and nothing else is touched.
# Every edition must then have it: its console edition, telling the same
# story as the language it was copied from, its manual page, its book, its
# page in the site and in every other page's list of languages, the menu
# entry and the software centre's record, each installed where players find
# them, with an IFID of its own. The book and the page are said to be
# skipped where their tools are missing.
set -uo pipefail
source_dir=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
skipped=()

tar -C "$source_dir" --exclude=./build --exclude=./node_modules --exclude=./.git -cf - . | tar -C "$work" -xf - ||
  fail "cannot copy the source"
cd "$work" || exit 1
from=$(sed -n 's/^\([a-z][a-zA-Z_]*\).*/\1/p' po/LINGUAS | head -n 1)
[ -n "$from" ] || fail "po/LINGUAS lists no translation to copy"
cp "po/$from.po" po/xx.po && cp "po/man/$from.po" po/man/xx.po && echo xx >> po/LINGUAS || fail "cannot add xx"
sed -i 's/^"Language: .*"$/"Language: xx\\n"/' po/xx.po

# Where the build runs its own makes, the caller's job server is not theirs.
quiet() { env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL "$@" > "$work/log" 2>&1 || { tail -n 30 "$work/log"; return 1; }; }
has_web=yes
for tool in node esbuild dot rsvg-convert; do command -v "$tool" > /dev/null || has_web=; done
ls /usr/lib/wasm32-wasi/libc.a > /dev/null 2>&1 || has_web=
if [ -n "$has_web" ]; then
  quiet make web || fail "make web fails with the language xx"
  page=$work/build/web/tramontalia-xx.html
  grep -q '<html lang="xx">' "$page" || fail "tramontalia-xx.html is not in xx"
  for other in build/web/tramontalia.html build/web/tramontalia-"$from".html build/web/site/index.html; do
    grep -q 'hreflang="xx"' "$other" || fail "$other does not list xx among its languages"
  done
  [ -f build/web/site/xx.html ] && grep -q '"xx":"xx.html"' build/web/site/index.html ||
    fail "the site has no xx.html, or does not open it for xx"
  configure_page=-DTRAMONTALIA_WEB_PAGE=$work/build/web/tramontalia.html
else
  skipped+=("the page and the site (make web's toolchain is missing)")
  configure_page=
fi
quiet cmake -S . -B build -DTRAMONTALIA_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr $configure_page ||
  fail "cmake does not configure with the language xx"
quiet cmake --build build -j 2 || fail "the build fails with the language xx"

# The console edition tells the story of the language it was copied from.
for input in tests/transcripts/*.in; do
  cmp -s <(build/tramontalia-xx < "$input") <(build/tramontalia-"$from" < "$input") ||
    fail "tramontalia-xx does not tell tramontalia-$from's story on ${input##*/}"
done
ifids=$(grep -ho 'content="[0-9A-F-]\{36\}"' build/web/tramontalia*.html 2> /dev/null | sort | uniq -d)
[ -z "$ifids" ] || fail "two pages share an IFID: $ifids"

if [ -f build/book/tramontalia-xx.epub ]; then
  unzip -p build/book/tramontalia-xx.epub EPUB/package.opf | grep -q '<dc:language>xx</dc:language>' ||
    fail "the book tramontalia-xx.epub is not in xx"
  [ "$(unzip -p build/book/tramontalia-xx.epub EPUB/package.opf | grep -o 'urn:uuid:[0-9A-F-]*')" != \
    "$(unzip -p "build/book/tramontalia-$from.epub" EPUB/package.opf | grep -o 'urn:uuid:[0-9A-F-]*')" ] ||
    fail "the book in xx has the IFID of the one in $from"
else
  skipped+=("the book (make book needs Node.js and rsvg-convert)")
fi

quiet env DESTDIR="$work/stage" cmake --install build || fail "the installation fails with the language xx"
for file in usr/bin/tramontalia-xx usr/share/man/man6/tramontalia-xx.6; do
  [ -s "$work/stage/$file" ] || fail "/$file is not installed"
done
if [ -n "$has_web" ]; then
  [ -s "$work/stage/usr/share/tramontalia/tramontalia-xx.html" ] || fail "the page in xx is not installed"
  grep -q '^Comment\[xx\]=' "$work"/stage/usr/share/applications/*.desktop || fail "the menu entry has no xx"
  grep -q '<lang>xx</lang>' "$work"/stage/usr/share/metainfo/*.xml &&
    grep -q '<binary>tramontalia-xx</binary>' "$work"/stage/usr/share/metainfo/*.xml ||
    fail "the software centre's record does not name xx"
  grep -q ' xx' "$work"/stage/usr/libexec/tramontalia/launch || fail "the menu entry's launcher does not know xx"
fi
[ ${#skipped[@]} -eq 0 ] || printf 'SKIPPED: %s\n' "${skipped[@]}"
echo "a language added by po/LINGUAS and its PO files alone is in every edition"
