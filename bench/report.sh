#!/usr/bin/env bash
# Writes the benchmarks' document on standard output, so that no figure
# outlives its run: the machine, the date and the commit, then what each
# bench script printed, every row with its target. `make bench` keeps it as
# docs/benchmarks.md.
# Usage: bench/report.sh GAME [PAGE]   (PAGE: the browser edition, where built)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
game=$1 page=${2:-}

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
section 'The English edition: bench/run.sh' "$here/run.sh" "$game-en"
[ -z "$page" ] || section 'The browser edition: bench/web.mjs' \
  env WEB_PAGE="$page" TRANSCRIPT_DIR="$root/tests/transcripts" node "$here/web.mjs"
# The English page beside it, answered with the same games in English.
[ -z "$page" ] || section 'The English page: bench/web.mjs' \
  env WEB_PAGE="$(dirname "$page")/tramontalia-en.html" TRANSCRIPT_DIR="$root/tests/transcripts/en" node "$here/web.mjs"
[ -z "$page" ] || section 'The book: bench/book.sh' "$here/book.sh"
# A fresh clone needs the repository.
! git -C "$root" rev-parse 2> /dev/null ||
  section 'The first game from a fresh clone: bench/first-play.sh' "$here/first-play.sh" "$root"
