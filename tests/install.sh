#!/usr/bin/env bash
# Usage: install.sh MAKE SOURCE_DIR BUILD_DIR
# Runs `make install PREFIX=/usr` as a packager would, staged under a scratch
# DESTDIR: exactly the editions and their manual pages land there, runnable.
set -uo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# `-o build`: the build under test is already built; the caller's make flags
# and install variables are not this run's.
env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL -u PREFIX -u DESTDIR "$1" -C "$2" -o build install BUILD_DIR="$3" \
  DESTDIR="$work/stage" PREFIX=/usr > "$work/log" 2>&1 ||
  { cat "$work/log"; echo "FAIL: make install failed"; exit 1; }
# The translations this tree builds (all of po/LINGUAS, or its first alone), as it names them.
editions=(tramontalia tramontalia-utf8 $(grep -o 'X([a-zA-Z_]*)' "$3/languages.hpp" | sed 's/X(\(.*\))/tramontalia-\1/'))
(cd "$work/stage" && find . ! -type d | sort) |
  diff <(for edition in "${editions[@]}"; do echo "./usr/bin/$edition"; echo "./usr/share/man/man6/$edition.6"; done |
    sort) - ||
  { echo "FAIL: make install laid out other files (< expected, > found)"; exit 1; }
for edition in "${editions[@]}"; do
  [[ $("$work/stage/usr/bin/$edition" < /dev/null) == *"Tramontalia v1.0"* ]] ||
    { echo "FAIL: the installed $edition does not run"; exit 1; }
done
