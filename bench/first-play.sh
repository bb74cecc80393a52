#!/usr/bin/env bash
# Times a player's first game, side by side in one run: in a fresh clone,
# from the start of `make play` to the first "Pulsa enter" it writes; in
# another fresh clone, a full `make build`. The two take turns ROUNDS times
# (default 5), so that a change of load on the machine weighs on both alike.
#
# Usage: bench/first-play.sh [REPOSITORY]   (default: this one, as committed)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=${1:-$(dirname "$here")}
rounds=${ROUNDS:-5}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

ms_now() { echo $(($(date +%s%N) / 1000000)); }
clone() {
  git clone -q "$repo" "$tmp/$1"
  echo "$tmp/$1"
}

# The game's input is empty, so it ends right after that first pause; the
# time is taken as the line is seen, not when make ends.
first_play() {
  local dir start
  dir=$(clone "play-$1")
  start=$(ms_now)
  make -C "$dir" -s play < /dev/null 2>&1 |
    { grep -q -m 1 'Pulsa enter' && ms_now > "$tmp/seen"; cat > /dev/null; }
  [ -s "$tmp/seen" ] || { echo "first-play: make play wrote no 'Pulsa enter'" >&2; exit 1; }
  echo $(($(cat "$tmp/seen") - start))
  rm -f "$tmp/seen"
}

full_build() {
  local dir start
  dir=$(clone "build-$1")
  start=$(ms_now)
  make -C "$dir" -s build > "$tmp/build.log" 2>&1 ||
    { cat "$tmp/build.log"; echo "first-play: make build failed" >&2; exit 1; }
  echo $(($(ms_now) - start))
}

unset MAKEFLAGS MFLAGS MAKELEVEL
echo "Machine: $(nproc) CPUs, $(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)," \
  "$(uname -sr); load average $(cut -d" " -f1-3 /proc/loadavg)"
plays=() builds=()
for round in $(seq "$rounds"); do
  plays+=("$(first_play "$round")")
  builds+=("$(full_build "$round")")
  echo "round $round: make play to 'Pulsa enter' ${plays[-1]} ms, make build ${builds[-1]} ms"
done
# Medians, as one round slowed by another load on a shared machine would
# pull a mean far off.
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
play=$(median "${plays[@]}") build=$(median "${builds[@]}")
echo "median of $rounds rounds: first play $play ms, full build $build ms," \
  "ratio $(awk -v a="$play" -v b="$build" 'BEGIN { printf "%.2f", a / b }') (target < 0.5)"
