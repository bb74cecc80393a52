#!/usr/bin/env bash
# Usage: docs.sh SOURCE_DIR
# What the documents name is there: every `make` target is the Makefile's,
# every path of the repository exists (in code, as from the top, or linked,
# as from the document; an upper-case word such as NAME stands for any name),
# and INSTALL.md names every package that debian/control's build asks for.
set -uo pipefail
cd "$1" || exit 1
status=0
fail() { echo "FAIL: $1 names $2, $3"; status=1; }
top=" $(ls -A | grep -vxE 'build|node_modules' | xargs) "
# A document's code, one line each: fenced and indented blocks, `spans`.
code() { awk '/^```/ { fenced = !fenced; next } fenced || /^    / { print; next }
  { while (match($0, /`[^`]+`/)) { print substr($0, RSTART + 1, RLENGTH - 2); $0 = substr($0, RSTART + RLENGTH) } }' "$1"; }
exists() { compgen -G "$(sed -E 's/[A-Z]{3,}/*/g' <<< "$1")" > /dev/null; }
for doc in README.md INSTALL.md CONTRIBUTING.md docs/*.md; do
  for target in $(code "$doc" | grep -oE '(^|[^-[:alnum:]])make [a-z][a-z0-9-]*' | sed 's/.* //' | sort -u); do
    grep -qE "^$target:" Makefile || { [[ $target == play-* ]] && grep -qE "^play-%:" Makefile; } || fail "$doc" "make $target" "no target of the Makefile"
  done
  for path in $(code "$doc" | grep -oE '[A-Za-z0-9_.*/-]+' | sed -E 's/\.+$//' | sort -u); do
    [[ $top == *" ${path%%/*} "* ]] && ! exists "$path" && fail "$doc" "$path" "which does not exist"
  done
  for link in $(grep -oE '\]\([^)#:]+' "$doc" | cut -c3- | sort -u); do
    exists "$(dirname "$doc")/$link" || fail "$doc" "$link" "a link to nothing"
  done
done
for package in $(sed -n '/^Build-Depends:/,/^[A-Z]/{s/^Build-Depends://;/^ /p}' debian/control |
  grep -oE '^ *[a-z0-9.+-]+' | sed 's/-compat$//'); do
  tr -s ' ,|();`' '\n' < INSTALL.md | grep -xF -- "$package" > /dev/null ||
    fail INSTALL.md "no $package" "which debian/control asks for"
done
exit $status
