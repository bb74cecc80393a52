#!/usr/bin/env bash
# Checks the files `make release` wrote, as a user of each would find them
# (the README's "Making a release" says what each check does).
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
tarball=$release/tramontalia-$version.tar.gz
deb=$(ls "$release"/tramontalia_"$version"-*_*.deb 2> /dev/null | head -n 1)
changes=${deb%.deb}.changes
work=$(mktemp -d)
installed=
# An interrupted run takes the package away all the same.
trap '[ -z "$installed" ] || dpkg -r tramontalia > /dev/null; rm -rf "$work"' EXIT

fail() {
  echo "  FAIL: $*"
  return 1
}

check_checksums() {
  [ -f "$release/SHA256SUMS" ] || fail "no SHA256SUMS in $release (run make release)" || return
  (cd "$release" && sha256sum --strict -c SHA256SUMS) || fail "the files do not match SHA256SUMS" ||
    return
  local listed expected
  listed=$(awk '{ print $2 }' "$release/SHA256SUMS" | LC_ALL=C sort | tr '\n' ' ')
  # The tarball, the page, its record, the site's zip, the cover, and what the .changes names.
  expected=$({ printf '%s\n' "tramontalia-$version.tar.gz" tramontalia.html tramontalia.iFiction \
    tramontalia-web.zip tramontalia-cover.png "$(basename "$changes")"; sed -n '/^Files:/,$s/^ .* //p' "$changes"; } |
    LC_ALL=C sort | tr '\n' ' ')
  [ "$listed" = "$expected" ] || fail "SHA256SUMS lists $listed"
}

check_record() {
  local record=$release/tramontalia.iFiction treaty=http://babel.ifarchive.org/protocol/iFiction/
  local ifid page_ifid cover
  [ -f "$record" ] || fail "no tramontalia.iFiction in $release" || return
  command -v xmllint > /dev/null || fail "xmllint is not installed (apt-get install libxml2-utils)" || return
  xmllint --noout "$record" || fail "tramontalia.iFiction is not well-formed" || return
  ifid=$(xmllint --xpath "string(//*[namespace-uri()='$treaty' and local-name()='ifid'])" "$record")
  page_ifid=$(sed -n 's/.*property="ifiction:ifid" content="\([^"]*\)".*/\1/p' "$release/tramontalia.html")
  [ -n "$ifid" ] && [ "$ifid" = "$page_ifid" ] ||
    fail "the record's IFID in the Treaty's namespace ('$ifid') is not the page's ('$page_ifid')" || return
  cover=$(xmllint --xpath "concat(//*[local-name()='cover']/*[local-name()='format'], ' ',
    //*[local-name()='cover']/*[local-name()='width'], ' ', //*[local-name()='cover']/*[local-name()='height'])" "$record")
  [ "$cover" = "png 960 960" ] || fail "the record's cover is '$cover', not 'png 960 960'"
}

check_tarball() {
  [ -f "$tarball" ] || fail "no $tarball" || return
  # Every path under the one folder the version names.
  ! tar -tzf "$tarball" | grep -v "^tramontalia-$version/" || fail "paths outside tramontalia-$version/" ||
    return
  tar -xzf "$tarball" -C "$work" || fail "cannot unpack $tarball" || return
  local src=$work/tramontalia-$version
  [ ! -e "$src/.git" ] || fail "the tarball holds a .git" || return
  # A git that always fails stands in for none, so that no step can lean on
  # the repository the tarball came from.
  mkdir -p "$work/no-git"
  printf '#!/bin/sh\necho "git is not available here" >&2\nexit 127\n' > "$work/no-git/git"
  chmod +x "$work/no-git/git"
  # The caller's make may be running this: its job server is not ours.
  env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL PATH="$work/no-git:$PATH" \
    make -C "$src" test > "$work/tarball.log" 2>&1 ||
    { tail -n 40 "$work/tarball.log"; fail "make test fails in the unpacked tarball"; return; }
  grep 'tests passed' "$work/tarball.log" | sed 's/^/  /'
}

check_package() {
  [ -f "$deb" ] || fail "no Debian package in $release" || return
  # Source and binary; info and pedantic tags are shown, only errors and warnings fail.
  (cd "$release" && lintian --pedantic --display-info --fail-on error,warning "$(basename "$changes")") 2>&1 |
    grep -v 'running with root privileges' | sed 's/^/  lintian: /'
  [ "${PIPESTATUS[0]}" -eq 0 ] || fail "lintian reports errors or warnings" || return

  local field
  for field in "Package: tramontalia" "Version: $version-" "Section: games" "Priority: optional"; do
    dpkg-deb -f "$deb" "${field%%: *}" | grep -q "^${field#*: }" ||
      fail "control field ${field%%: *} is not ${field#*: }" || return
  done
  # The version's upstream part, from debian/changelog, is CMake's.
  # libc alone, and only through a version bound dpkg-shlibdeps computed.
  dpkg-deb -f "$deb" Depends | grep -qx 'libc6 (>= [0-9.]*)' ||
    fail "depends on $(dpkg-deb -f "$deb" Depends)" || return

  # Owner, mode and path of every file, links with their targets, as package-contents lists them (folders
  # are root's and 755 like the rest, which lintian checks).
  dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { printf "%s %s %s", $1, $2, $6; if ($7 == "->") printf " -> %s", $8; print "" }' \
    > "$work/contents"
  diff "$root/tests/release/package-contents" "$work/contents" > "$work/contents.diff" ||
    { sed 's/^/  /' "$work/contents.diff"; fail "the package's layout differs (< expected, > found)"; return; }

  # The page shipped is the page released beside it.
  dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/games/tramontalia/tramontalia.html |
    cmp -s - "$release/tramontalia.html" || fail "the packaged page is not the released one" || return
  # The menu entry and the software centre's record are valid; the entry opens
  # the installed page and plays the installed game.
  dpkg-deb -x "$deb" "$work/deb" && local app=$work/deb/usr/share/applications/example.tramontalia.tramontalia
  desktop-file-validate "$app.desktop" && appstreamcli validate --pedantic --no-net \
    "$work/deb/usr/share/metainfo/example.tramontalia.tramontalia.metainfo.xml" | sed 's/^/  /' &&
    grep -qx 'Exec=xdg-open /usr/share/games/tramontalia/tramontalia.html' "$app.desktop" &&
    grep -qx 'Exec=x-terminal-emulator -e /usr/games/tramontalia-utf8' "$app.desktop" ||
    fail "the menu entry or the software centre's record is wrong"
}

check_cover() {
  local cover=$release/tramontalia-cover.png
  [ -f "$cover" ] || fail "no tramontalia-cover.png in $release" || return
  [ "$(stat -c %s "$cover")" -lt 204800 ] || fail "the cover takes 200 KB or more" || return
  # Drawn again at 960 pixels from the icon in the tarball, as `make cover` draws it.
  tar -xzOf "$tarball" "tramontalia-$version/packaging/tramontalia.svg" |
    rsvg-convert -w 960 -h 960 -b '#1e2a4a' | cmp -s - "$cover" || fail "the cover is not the tarball's icon"
}

check_rebuild() {
  local dsc package
  dsc=$(ls "$release"/tramontalia_"$version"-*.dsc 2> /dev/null | head -n 1)
  [ -f "$dsc" ] || fail "no source package in $release" || return
  mkdir -p "$work/rebuild" && dpkg-source -x "$dsc" "$work/rebuild/src" > "$work/rebuild.log" 2>&1 &&
    (cd "$work/rebuild/src" && env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL dpkg-buildpackage -us -uc) \
      >> "$work/rebuild.log" 2>&1 || { tail -n 40 "$work/rebuild.log"; fail "the source package does not build"; return; }
  for package in "$release"/*.deb; do
    cmp -s "$package" "$work/rebuild/$(basename "$package")" ||
      fail "$(basename "$package") differs when built again from the source package" || return
  done
}

check_install() {
  [ -f "$changes" ] || fail "no .changes in $release" || return
  local skip=
  [ "$(id -u)" -eq 0 ] || skip="installing the package needs root"
  dpkg-query -W -f '${Status}' tramontalia 2> /dev/null | grep -q 'ok installed' &&
    skip="tramontalia is installed already, and is left alone"
  [ -z "$skip" ] || { echo "  SKIP: $skip"; return 77; }
  local places=(/usr/games /usr/share/man/man6 /usr/share/doc /usr/share/games /usr/share/lintian
                /usr/share/applications /usr/share/icons/hicolor/scalable/apps /usr/share/metainfo)
  find "${places[@]}" 2> /dev/null | sort > "$work/before"
  installed=yes
  autopkgtest "$changes" -- null > "$work/autopkgtest.log" 2>&1
  local status=$?
  sed -n '/@@@ summary/,/^autopkgtest/p' "$work/autopkgtest.log" | grep -v '^autopkgtest' | sed 's/^/  /'
  [ $status -eq 0 ] || { tail -n 40 "$work/autopkgtest.log"; fail "autopkgtest failed"; }
  status=$?
  dpkg -r tramontalia > "$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -r failed"; return; }
  installed=
  find "${places[@]}" 2> /dev/null | sort > "$work/after"
  diff "$work/before" "$work/after" || fail "dpkg -r left the files above behind (> left, < lost)" ||
    return
  return $status
}

# The site's zip: index.html at its root, as portals and static hosts take it.
check_web_zip() {
  unzip -Z1 "$release/tramontalia-web.zip" | grep -qx index.html || fail "no index.html at the zip's root" || return
  [ "$(stat -c %s "$release/tramontalia-web.zip")" -le 81920 ] || fail "tramontalia-web.zip is over 80 KB"
}

passed=0 failed=0 skipped=0
for check in "${checks[@]}"; do
  echo "release check: $check"
  "check_$check"
  case $? in
    0) passed=$((passed + 1)) ;;
    77) skipped=$((skipped + 1)) ;;
    *) failed=$((failed + 1)) ;;
  esac
done
echo "release checks: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ] || exit 1
[ "$skipped" -eq 0 ] || exit 77
