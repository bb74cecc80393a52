#!/usr/bin/env bash
# Checks the files `make release` wrote, as a user of each would find them
# (INSTALL.md's "Making a release" says what each check does).
# Usage: tests/release/check-release.sh [RELEASE_DIR [CHECK...]]
#   (default: build/release, every check below). Exits 0 when every check
#   passed, 77 when the only ones not passed were skipped (install, without root).
set -uo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
release=$(realpath "${1:-$root/build/release}")
shift $(($# > 0 ? 1 : 0))
checks=(checksums record tarball package cover rebuild install web_zip)
[ $# -eq 0 ] || checks=("$@")

version=$(sed -n 's/^project.tramontalia VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
# The translations, as po/LINGUAS lists them; each has its page, book, edition and manual page.
languages=($(sed -n 's/^\([a-z][a-zA-Z_]*\).*/\1/p' "$root/po/LINGUAS"))
pages=(tramontalia "${languages[@]/#/tramontalia-}")
tarball=$release/tramontalia-$version.tar.gz
deb=$(ls "$release"/tramontalia_"$version"-*_*.deb 2> /dev/null | head -n 1)
changes=${deb%.deb}.changes
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Each check runs in a subshell: a failure ends that check alone.
fail() { echo "  FAIL: $*"; exit 1; }
fail_with_log() { tail -n 40 "$1"; fail "${@:2}"; }
# The caller's make may be running this: its job server is not ours.
own_make() { env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL "$@"; }
# A PNG's width and height, from its header.
png_size() { od -An -tu4 --endian=big -j16 -N8 "$1" | xargs; }

# Every file released, and every file the .changes names, has its right sum in SHA256SUMS.
check_checksums() {
  (cd "$release" && sha256sum --strict --quiet -c SHA256SUMS) || fail "the files do not match SHA256SUMS"
  local released
  released=$({ ls "$release"; sed -n '/^Files:/,$s/^ .* //p' "$changes"; } | grep -vx SHA256SUMS | LC_ALL=C sort -u)
  awk '{ print $2 }' "$release/SHA256SUMS" | LC_ALL=C sort | diff <(echo "$released") - ||
    fail "SHA256SUMS does not list exactly the files released (< released, > listed)"
}

# Each page's record: its IFID is the page's, its language the page's, its cover the released square
# one, all in the Treaty's namespace; a translation's IFID is its own.
check_record() {
  local treaty=http://babel.ifarchive.org/protocol/iFiction/ page_ifid found page ifids=()
  value() {
    local in_treaty="namespace-uri()='$treaty' and local-name()"
    xmllint --xpath "string(//*[$in_treaty='$2']/*[$in_treaty='$3'])" "$release/$1.iFiction"
  }
  for page in "${pages[@]}"; do
    page_ifid=$(sed -n 's/.*property="ifiction:ifid" content="\([^"]*\)".*/\1/p' "$release/$page.html")
    page_ifid="$page_ifid $(sed -n 's/^<html lang="\([a-zA-Z-]*\)">$/\1/p' "$release/$page.html")"
    found="$(value $page identification ifid) $(value $page bibliographic language) $(value $page cover format)"
    found="$found $(value $page cover width) $(value $page cover height)"
    [ "$found" = "$page_ifid png 960 960" ] ||
      fail "$page.iFiction's IFID, language and cover are '$found', not '$page_ifid png 960 960'"
    ifids+=("${page_ifid%% *}")
  done
  [ "$(printf '%s\n' "${ifids[@]}" | sort -u | wc -l)" -eq "${#pages[@]}" ] || fail "two pages share an IFID"
  [ "$(png_size "$release/tramontalia-cover-square.png")" = "960 960" ] || fail "the square cover is not 960 x 960"
}

check_tarball() {
  local src=$work/tarball/tramontalia-$version
  mkdir "$work/tarball" && tar -xzf "$tarball" -C "$work/tarball" || fail "cannot unpack $tarball"
  [ "$(ls -A "$work/tarball")" = "tramontalia-$version" ] && [ ! -e "$src/.git" ] ||
    fail "the tarball holds more than one folder, tramontalia-$version/, or a .git"
  # A git that always fails stands in for none, so that no step can lean on
  # the repository the tarball came from. Its browser suites and its copy of
  # itself with a new language are the tree's own, which the tree's make test
  # runs: here the rest, the pages built and played in Node among it.
  mkdir "$work/no-git" && ln -s /bin/false "$work/no-git/git"
  PATH="$work/no-git:$PATH" own_make make -C "$src" test CTEST_ARGS="-LE 'browser|clean-copy'" \
    > "$work/tarball.log" 2>&1 ||
    fail_with_log "$work/tarball.log" "make test fails in the unpacked tarball"
  grep 'tests passed' "$work/tarball.log" | sed 's/^/  /'
  local book
  for book in "${pages[@]/%/.epub}"; do
    cmp "$src/build/book/$book" "$release/$book" || fail "the book $book differs when built again"
  done
}

check_package() {
  # Source and binary; info and pedantic tags are shown, only errors and warnings fail.
  (cd "$release" && lintian --pedantic --display-info --fail-on error,warning "$(basename "$changes")") 2>&1 |
    grep -v 'running with root privileges' | sed 's/^/  lintian: /'
  [ "${PIPESTATUS[0]}" -eq 0 ] || fail "lintian reports errors or warnings"

  # Control fields, with the version's upstream part CMake's and the libc bound dpkg-shlibdeps computed,
  # then owner, mode and path of every file, links with their targets (folders are root's and 755 like
  # the rest, which lintian checks).
  { dpkg-deb -f "$deb" Package Version Section Priority Depends |
      sed -E "s/^Version: $version-.+/Version: VERSION-REVISION/; s/\(>= [0-9.]+\)$/(>= VERSION)/"
    dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { printf "%s %s %s", $1, $2, $6; if ($7 == "->") printf " -> %s", $8; print "" }'
  } > "$work/package"
  # package-contents names each translation's files once, as LANGUAGE.
  awk -v languages="${languages[*]}" 'BEGIN { n = split(languages, each, " ") }
    !/LANGUAGE/ { print; next } { for (i = 1; i <= n; ++i) { line = $0; gsub(/LANGUAGE/, each[i], line); print line } }' \
    "$root/tests/release/package-contents" | LC_ALL=C sort > "$work/expected"
  LC_ALL=C sort "$work/package" | diff "$work/expected" - ||
    fail "the package differs from package-contents (< expected, > found)"

  dpkg-deb -x "$deb" "$work/deb"
  # The pages shipped are the pages released beside them.
  for page in "${pages[@]}"; do
    cmp "$work/deb/usr/share/games/tramontalia/$page.html" "$release/$page.html" ||
      fail "the packaged $page.html is not the released one"
  done
  # The menu entry and the software centre's record are valid and speak every
  # language; the entry's launcher opens the installed page, or plays the
  # installed game, of the desktop's language.
  local app=$work/deb/usr/share/applications/example.tramontalia.tramontalia launch language
  local record=$work/deb/usr/share/metainfo/example.tramontalia.tramontalia.metainfo.xml
  desktop-file-validate "$app.desktop" && appstreamcli validate --pedantic --no-net "$record" | sed 's/^/  /' ||
    fail "the menu entry or the software centre's record is not valid"
  launch=$(sed -n 's/^Exec=\(.*\) page$/\1/p' "$app.desktop")
  mkdir "$work/opened" && printf '#!/bin/sh\necho "$@"\n' > "$work/opened/xdg-open" &&
    cp "$work/opened/xdg-open" "$work/opened/x-terminal-emulator" && chmod +x "$work/opened/"* || fail "no stand-ins"
  sed "s|'/usr/|'$work/deb/usr/|" "$work/deb$launch" > "$work/launch" || fail "no launcher at $launch"
  for language in es "${languages[@]}"; do
    local page=tramontalia-$language game=tramontalia-$language
    [ "$language" != es ] || page=tramontalia game=tramontalia-utf8
    [ "$(PATH=$work/opened:$PATH LANGUAGE= LC_ALL= LANG=$language.UTF-8 sh "$work/launch" page)" = \
      "$work/deb/usr/share/games/tramontalia/$page.html" ] &&
      [ "$(PATH=$work/opened:$PATH LANGUAGE= LC_ALL= LANG=$language.UTF-8 sh "$work/launch" terminal)" = \
      "-e $work/deb/usr/games/$game" ] || fail "the menu entry does not open $page.html and $game for $language"
    [ "$language" = es ] || { grep -q "^Comment\[$language\]=" "$app.desktop" &&
      grep -q "<summary xml:lang=\"$language\">" "$record"; } || fail "the menu entry or the record lacks $language"
  done
}

check_cover() {
  local cover book src=$work/cover/tramontalia-$version
  mkdir "$work/cover" && tar -xzf "$tarball" -C "$work/cover" "${src##*/}/packaging" "${src##*/}/tools" ||
    fail "cannot unpack the tarball's packaging/ and tools/"
  # Each drawn again from the SVGs in the tarball, as `make cover` draws them.
  for cover in tramontalia-cover tramontalia-cover-square; do
    [ "$(stat -c %s "$release/$cover.png")" -lt 204800 ] || fail "$cover.png is missing or takes 200 KB or more"
    "$src/tools/draw_cover.sh" "$src/packaging" "$cover" "$work/$cover.png" &&
      cmp -s "$work/$cover.png" "$release/$cover.png" || fail "$cover.png is not drawn from the tarball's SVGs"
  done
  # Each book's is the tall one.
  for book in "${pages[@]/%/.epub}"; do
    unzip -p "$release/$book" EPUB/cover.png > "$work/book.png" && cmp -s "$work/book.png" "$release/tramontalia-cover.png" &&
      [ "$(png_size "$work/book.png")" = "1600 2560" ] || fail "$book's cover is not tramontalia-cover.png, or not 1,600 x 2,560"
  done
}

check_rebuild() {
  mkdir "$work/rebuild" && dpkg-source -x "$release"/tramontalia_"$version"-*.dsc "$work/rebuild/src" \
    > "$work/rebuild.log" 2>&1 && (cd "$work/rebuild/src" && own_make dpkg-buildpackage -us -uc) \
    >> "$work/rebuild.log" 2>&1 || fail_with_log "$work/rebuild.log" "the source package does not build"
  (cd "$release" && sha256sum ./*.deb) | (cd "$work/rebuild" && sha256sum --quiet -c) ||
    fail "a package differs when built again from the source package"
}

check_install() {
  local skip= passed=yes places=(/usr/games /usr/share/man/man6 /usr/share/doc /usr/share/games /usr/share/lintian
    /usr/share/applications /usr/share/icons/hicolor/scalable/apps /usr/share/metainfo)
  [ "$(id -u)" -eq 0 ] || skip="installing the package needs root"
  dpkg-query -W -f '${Status}' tramontalia 2> /dev/null | grep -q 'ok installed' &&
    skip="tramontalia is installed already, and is left alone"
  [ -z "$skip" ] || { echo "  SKIP: $skip"; exit 77; }
  find "${places[@]}" 2> /dev/null | sort > "$work/before"
  # An interrupted run takes the package away all the same.
  trap 'dpkg -r tramontalia > /dev/null' EXIT
  autopkgtest "$changes" -- null > "$work/autopkgtest.log" 2>&1 || passed=
  sed -n '/@@@ summary/,/^autopkgtest/p' "$work/autopkgtest.log" | grep -v '^autopkgtest' | sed 's/^/  /'
  dpkg -r tramontalia > "$work/dpkg.log" 2>&1 || fail_with_log "$work/dpkg.log" "dpkg -r failed"
  trap - EXIT
  find "${places[@]}" 2> /dev/null | sort > "$work/after"
  diff "$work/before" "$work/after" ||
    fail "dpkg -r left the files above behind (> left, < lost)"
  [ -n "$passed" ] || fail_with_log "$work/autopkgtest.log" "autopkgtest failed"
}

# The site's zip: index.html at its root, as portals and static hosts take it, and each translation's page
# beside it; no larger than 40,000 bytes of shared files and a page's limit for each language.
# The listing is read whole before it is searched: unzip writes it name by
# name, and a `grep -q` that stops at the first match would leave unzip
# writing to a closed pipe, failing the pipeline at random.
check_web_zip() {
  local names
  names=$(unzip -Z1 "$release/tramontalia-web.zip") || fail "tramontalia-web.zip cannot be read"
  grep -qx index.html <<< "$names" || fail "no index.html at the zip's root"
  for language in "${languages[@]}"; do
    grep -qx "$language.html" <<< "$names" || fail "no $language.html at the zip's root"
  done
  local limit=$((40000 + 31000 * (1 + ${#languages[@]})))
  [ "$(stat -c %s "$release/tramontalia-web.zip")" -le "$limit" ] || fail "tramontalia-web.zip is over $limit bytes"
}

passed=0 failed=0 skipped=0
for check in "${checks[@]}"; do
  echo "release check: $check"
  ("check_$check")
  case $? in
    0) passed=$((passed + 1)) ;;
    77) skipped=$((skipped + 1)) ;;
    *) failed=$((failed + 1)) ;;
  esac
done
echo "release checks: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ] || exit 1
[ "$skipped" -eq 0 ] || exit 77
