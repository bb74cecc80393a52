#!/usr/bin/env bash
# Usage: make_web_recovers.sh SOURCE_DIR
# `make web` as a newcomer meets it, in a fresh copy of the sources: with
# clang out of reach it stops before CMake and names the package to install;
# a configure that failed inside CMake is no dead end; once clang is in reach,
# `make web` builds the page, and a second `make web` does not configure again.
# Exit 77 (skipped) where the toolchain is missing.
set -euo pipefail
shopt -s nullglob
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Fails with the last make's log.
fail() { echo "FAIL: $*"; sed 's/^/  /' "$work/log"; exit 1; }

# As a fresh clone has them: no build, no node_modules.
mkdir "$work/src" "$work/no-clang"
tar -C "$source_dir" --exclude=./build --exclude=./node_modules --exclude=./.git -cf - . |
  tar -xf - -C "$work/src"
# The way through does not depend on the languages: the first translation
# keeps the page's build short.
awk '!/^[a-z]/ || !seen++' "$source_dir/po/LINGUAS" > "$work/src/po/LINGUAS"
# Every command on the PATH but clang's, the first of each name as the PATH
# finds it (cp omits folders, and says so: quietly).
IFS=: read -ra dirs <<< "$PATH"
for dir in "${dirs[@]}"; do
  cp --symbolic-link --no-clobber "$dir"/* "$work/no-clang/" 2> /dev/null || :
done
rm -f "$work/no-clang"/clang*

# The caller's make may be running this: its job server is not ours.
newcomer_make() {
  env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL PATH="$path" make --no-print-directory -C "$work/src" "$@" \
    > "$work/log" 2>&1
}

path=$work/no-clang
! newcomer_make web || fail "make web succeeded without clang"
grep -Eq '^make web: missing .*clang\+\+.*apt-get install (.* )?clang( |$)' "$work/log" ||
  fail "make web without clang does not name clang++ and its package"
[ ! -e "$work/src/build" ] || fail "make web without clang went as far as CMake"

# Past the toolchain check, CMake itself fails and leaves its cache behind.
! newcomer_make web WEB_MISSING= || fail "CMake configured the browser edition without clang"

path=$PATH
if ! newcomer_make web; then
  grep '^make web: missing' "$work/log" | sed 's/^/SKIPPED: /' | grep . && exit 77
  fail "make web fails once clang is in reach"
fi
[ -s "$work/src/build/web/tramontalia.html" ] || fail "make web wrote no page"
newcomer_make -n web
! grep -q 'cmake --preset' "$work/log" || fail "a second make web would configure again"
echo "make web stopped without clang, naming it, then built the page"
