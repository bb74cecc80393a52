#!/usr/bin/env bash
# Writes the benchmarks' document on standard output, so that no figure
# outlives its run: the machine, the date and the commit, then what each
# bench script printed, every row with its target. `make bench` keeps it as
# docs/benchmarks.md.
# Usage: [LANGUAGES='LANGUAGE...'] bench/report.sh GAME [PAGE]
#   PAGE: the browser edition, where built; LANGUAGES: the translations, by
#   default po/LINGUAS's (the Makefile passes its own list), each with its
#   edition GAME-LANGUAGE and its page beside PAGE.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
game=$1 page=${2:-}
languages=${LANGUAGES-$(awk '/^[a-z]/ { print $1 }' "$root/po/LINGUAS")}

commit=$(git -C "$root" log -1 --format='%h (%cs)' 2> /dev/null || echo 'none: not a git tree')
[ -z "$(git -C "$root" status --porcelain --untracked-files=no 2> /dev/null)" ] ||
  commit="$commit, with uncommitted changes"
cpu=$(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)
memory=$(awk '/^MemTotal:/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)
system="$(. /etc/os-release && echo "$PRETTY_NAME"), $(uname -sr)"

# One script's output as it printed it, its progress shown as it goes (on
# the standard error as it is: opening /dev/stderr again would truncate a log).
section() {
  echo "bench: $1" >&2
  printf '\n## %s\n\n```text\n' "$1"
  "${@:2}" 2>&1 | tee >(cat >&2)
  printf '```\n'
}

cat <<HEADER
# Benchmarks

Written by \`make bench\`: every figure here is true of this run, on this machine, and of no other.
What each row measures, and against what: [CONTRIBUTING.md](../CONTRIBUTING.md#speed-and-size).
A target is a goal, not a check: a slower figure fails nothing.

| | |
| --- | --- |
| date | $(date -u '+%Y-%m-%d %H:%M UTC') |
| commit | $commit |
| machine | $cpu, $(nproc) cores, $memory of memory |
| system | $system; $(c++ --version | head -n 1) |
| load average at the start | $(cut -d' ' -f1-3 /proc/loadavg) |
HEADER

section 'The game: bench/run.sh' "$here/run.sh" "$game"
[ ! -x "$game-utf8" ] || section 'The UTF-8 edition: bench/run.sh' "$here/run.sh" "$game-utf8"
for language in $languages; do
  section "The edition in $language: bench/run.sh" "$here/run.sh" "$game-$language"
done
# Every page: the whole set of rows on the story's own and on the first
# translation, the size, first text and switching on the others; each
# answered with its language's games (see bench/web.mjs).
[ -z "$page" ] || section 'The browser edition: bench/web.mjs' env WEB_PAGE="$page" node "$here/web.mjs"
rows=
for language in $languages; do
  [ -z "$page" ] || section "The page in $language: bench/web.mjs" \
    env WEB_PAGE="$(dirname "$page")/tramontalia-$language.html" WEB_ROWS="$rows" node "$here/web.mjs"
  rows=first
done
[ -z "$page" ] || section 'The book: bench/book.sh' "$here/book.sh"
# A fresh clone needs the repository.
! git -C "$root" rev-parse 2> /dev/null ||
  section 'The first game from a fresh clone: bench/first-play.sh' "$here/first-play.sh" "$root"
