#!/usr/bin/env bash
# Checks the files `make release` wrote, as a user of each would find them:
#   checksums  SHA256SUMS lists the four files, and they match it;
#   record     the iFiction record is well-formed and carries the page's IFID;
#   tarball    unpacked with no git at all, its `make test` passes (slow);
#   package    lintian finds no error or warning; Debian's layout for a game;
#   install    (root only) dpkg -i: both editions on the games path play the
#              transcripts, man finds section 6; dpkg -r leaves nothing.
# Usage: tests/release/check-release.sh [RELEASE_DIR [CHECK...]]
#   (default: build/release, every check). Exits 0 when every check passed,
#   77 when the only ones not passed were skipped (install, without root).
set -uo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
release=$(realpath "${1:-$root/build/release}")
shift $(($# > 0 ? 1 : 0))
checks=(checksums record tarball package install)
[ $# -eq 0 ] || checks=("$@")

version=$(sed -n 's/^project.tramontalia VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
tarball=$release/tramontalia-$version.tar.gz
deb=$(ls "$release"/tramontalia_"$version"-*_*.deb 2> /dev/null | head -n 1)
transcripts=$root/tests/transcripts
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
  local listed
  listed=$(awk '{ print $2 }' "$release/SHA256SUMS" | LC_ALL=C sort | tr '\n' ' ')
  [ "$listed" = "tramontalia-$version.tar.gz tramontalia.html tramontalia.iFiction $(basename "$deb") " ] ||
    fail "SHA256SUMS lists $listed"
}

check_record() {
  local record=$release/tramontalia.iFiction treaty=http://babel.ifarchive.org/protocol/iFiction/
  local ifid page_ifid
  [ -f "$record" ] || fail "no tramontalia.iFiction in $release" || return
  command -v xmllint > /dev/null || fail "xmllint is not installed (apt-get install libxml2-utils)" || return
  xmllint --noout "$record" || fail "tramontalia.iFiction is not well-formed" || return
  ifid=$(xmllint --xpath "string(//*[namespace-uri()='$treaty' and local-name()='ifid'])" "$record")
  page_ifid=$(sed -n 's/.*property="ifiction:ifid" content="\([^"]*\)".*/\1/p' "$release/tramontalia.html")
  [ -n "$ifid" ] && [ "$ifid" = "$page_ifid" ] ||
    fail "the record's IFID in the Treaty's namespace ('$ifid') is not the page's ('$page_ifid')"
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
  # Info tags are shown, and only errors and warnings fail.
  lintian --display-info --fail-on error,warning "$deb" 2>&1 | grep -v 'running with root privileges' |
    sed 's/^/  lintian: /'
  [ "${PIPESTATUS[0]}" -eq 0 ] || fail "lintian reports errors or warnings" || return

  local field expected
  for field in "Package: tramontalia" "Version: $version-" "Section: games" "Priority: optional"; do
    dpkg-deb -f "$deb" "${field%%: *}" | grep -q "^${field#*: }" ||
      fail "control field ${field%%: *} is not ${field#*: }" || return
  done
  # libc alone, and only through a version bound dpkg-shlibdeps computed.
  dpkg-deb -f "$deb" Depends | grep -qx 'libc6 (>= [0-9.]*)' ||
    fail "depends on $(dpkg-deb -f "$deb" Depends)" || return

  # Owner, mode and path of every file, links with their targets (folders
  # are root's and 755 like the rest, which lintian checks).
  dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { printf "%s %s %s", $1, $2, $6; if ($7 == "->") printf " -> %s", $8; print "" }' \
    > "$work/contents"
  expected="-rwxr-xr-x root/root ./usr/games/tramontalia
-rwxr-xr-x root/root ./usr/games/tramontalia-utf8
-rw-r--r-- root/root ./usr/share/doc/tramontalia/changelog.Debian.gz
-rw-r--r-- root/root ./usr/share/doc/tramontalia/copyright
-rw-r--r-- root/root ./usr/share/lintian/overrides/tramontalia
-rw-r--r-- root/root ./usr/share/man/man6/tramontalia.6.gz
-rw-r--r-- root/root ./usr/share/tramontalia/tramontalia.html
lrwxrwxrwx root/root ./usr/share/man/man6/tramontalia-utf8.6.gz -> tramontalia.6.gz"
  diff <(echo "$expected") "$work/contents" > "$work/contents.diff" ||
    { sed 's/^/  /' "$work/contents.diff"; fail "the package's layout differs (< expected, > found)"; return; }

  # The page shipped is the page released beside it.
  dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/tramontalia/tramontalia.html |
    cmp -s - "$release/tramontalia.html" || fail "the packaged page is not the released one"
}

check_install() {
  [ -f "$deb" ] || fail "no Debian package in $release" || return
  local skip=
  [ "$(id -u)" -eq 0 ] || skip="installing the package needs root"
  dpkg-query -W -f '${Status}' tramontalia 2> /dev/null | grep -q 'ok installed' &&
    skip="tramontalia is installed already, and is left alone"
  [ -z "$skip" ] || { echo "  SKIP: $skip"; return 77; }
  local places=(/usr/games /usr/share/man/man6 /usr/share/doc /usr/share/tramontalia /usr/share/lintian)
  find "${places[@]}" 2> /dev/null | sort > "$work/before"
  installed=yes
  dpkg -i "$deb" > "$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -i failed"; return; }
  installed_check
  local status=$?
  dpkg -r tramontalia > "$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -r failed"; return; }
  installed=
  find "${places[@]}" 2> /dev/null | sort > "$work/after"
  diff "$work/before" "$work/after" || fail "dpkg -r left the files above behind (> left, < lost)" ||
    return
  return $status
}

# The installed package as a player finds it, with Debian's games path.
installed_check() {
  local edition input
  local PATH=/usr/local/bin:/usr/bin:/bin:/usr/games
  for input in "$transcripts"/*.in; do
    tramontalia < "$input" | cmp -s - "${input%.in}.out" ||
      fail "the installed game does not play $(basename "$input") as written" || return
  done
  bash "$root/tests/same_bytes.sh" "$transcripts" \
    "tramontalia | iconv -f ISO-8859-1 -t UTF-8 | sed 4s/ISO-8859-1/UTF-8/" tramontalia-utf8 > /dev/null ||
    fail "the installed editions tell different stories" || return
  # Both on the games path; the UTF-8 edition's manual page links to the same one.
  for edition in tramontalia tramontalia-utf8; do
    [ "$(command -v $edition)" = "/usr/games/$edition" ] ||
      fail "$edition is not found on the games path" || return
    [ "$(man -w 6 $edition 2> /dev/null)" = /usr/share/man/man6/tramontalia.6.gz ] ||
      fail "man -w 6 $edition does not find the installed page$(grep -hs \
        'path-exclude=/usr/share/man' /etc/dpkg/dpkg.cfg.d/* | sed 's/^/ (dpkg is told: /; s/$/)/')" ||
      return
  done
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
