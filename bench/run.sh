#!/usr/bin/env bash
# Measures the optimised game against the machine's own limits, side by side
# in one run:
#   throughput  a scripted session of a million answers, against cat writing
#               the very same output bytes;
#   start-up    the banner and the opening up to the first pause, against a
#               minimal C program writing the same bytes with stdio;
#   memory      peak resident size against that C program, and heap
#               allocations over every transcript game under valgrind.
#
# Usage: bench/run.sh [GAME]      (default: build/tramontalia)
# A translated edition (tramontalia-LANGUAGE, LANGUAGE a PO file's name in
# po/) plays the same session in its own words, and its own games.
# Slow figures never fail: the exit status is 0 unless a tool is missing (2)
# or the game misbehaves (1).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
game=${1:-$root/build/tramontalia}

fail() {
  echo "bench: $*" >&2
  exit 1
}

for tool in hyperfine valgrind cc awk od cmp grep; do
  command -v "$tool" > /dev/null || { echo "bench: $tool is missing" >&2; exit 2; }
done
# GNU time, for the peak resident size of one process.
if ! /usr/bin/time -f %M -o /dev/null true 2> /dev/null; then
  echo "bench: GNU time (/usr/bin/time) is missing" >&2
  exit 2
fi
[ -x "$game" ] || fail "no game at $game (run make build first)"
game=$(cd "$(dirname "$game")" && pwd)/$(basename "$game")

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The words of the session: the first menu's key that shows a page aside,
# the quit word, the pause's line; and the edition's transcripts. A
# translation's words are its PO file's (the entry of each reference), and
# its key is the one that takes its edition where Spanish's takes the
# Spanish one, as build/translate_answers finds it by playing; its games are
# its pinned transcripts, or else the Spanish ones' answers given in it.
idle_key=n quit=salir pause_line='Pulsa enter' transcripts=$root/tests/transcripts
language=$(basename "$game")
language=${language#tramontalia-}
if [ -f "$root/po/$language.po" ]; then
  translated() {
    awk -v ref="#: $1" '
      $0 == ref { found = 1; next }
      found && /^msgstr "/ { sub(/^msgstr "/, ""); sub(/"$/, ""); gsub(/\\"/, "\""); print; exit }' \
      "$root/po/$language.po"
  }
  quit=$(translated console/quit) pause_line=$(translated console/pause)
  [ -n "$quit" ] && [ -n "$pause_line" ] || fail "po/$language.po has no quit word or pause line"
  translate=$(dirname "$game")/translate_answers
  [ -x "$translate" ] || fail "no $translate to find $language's words (run make build first)"
  idle_key=$(printf '\n\n\n%s\n' "$idle_key" | "$translate" "$language" | sed -n 4p)
  [ -n "$idle_key" ] || fail "translate_answers found no key in $language for the Spanish n"
  if [ -d "$root/tests/transcripts/$language" ]; then
    transcripts=$root/tests/transcripts/$language
  else
    mkdir "$tmp/transcripts"
    for input in "$transcripts"/*.in; do
      "$translate" "$language" < "$input" > "$tmp/transcripts/$(basename "$input")" ||
        fail "translate_answers failed on $input"
    done
    transcripts=$tmp/transcripts
  fi
fi

# Rows of the closing table: measure, game, reference, ratio, target.
rows=()
row() { rows+=("$1|$2|$3|$4|$5"); }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2fx", a / b }'; }
# Times two commands with hyperfine in ROUNDS alternating rounds, so that a
# change of load on the machine weighs on both alike; prints a summary of all
# the runs and leaves the two means, in milliseconds, in $mean_1 and $mean_2.
# Usage: compare LABEL ROUNDS RUNS WARMUP hyperfine-arguments...
compare() {
  local label=$1 rounds=$2 runs=$3 warmup=$4 round
  shift 4
  for round in $(seq "$rounds"); do
    hyperfine --style none --runs "$runs" --warmup "$warmup" \
      --export-json "$tmp/$label.$round.json" "$@" < /dev/null > /dev/null 2> "$tmp/hyperfine.err" ||
      fail "hyperfine failed on $label: $(cat "$tmp/hyperfine.err")"
  done
  awk '
    /"command":/ { split($0, q, "\""); name = q[4]; if (!(name in n)) order[++count] = name }
    /"times":/ { in_times = 1; next }
    in_times && /\]/ { in_times = 0 }
    in_times { t = $1 + 0; k = ++n[name]; v[name, k] = t; sum[name] += t }
    END {
      for (c = 1; c <= count; ++c) {
        name = order[c]; m = sum[name] / n[name]; ss = 0; lo = hi = v[name, 1]
        for (k = 1; k <= n[name]; ++k) {
          ss += (v[name, k] - m) ^ 2
          if (v[name, k] < lo) lo = v[name, k]
          if (v[name, k] > hi) hi = v[name, k]
        }
        printf "  %-8s mean %8.3f ms  sd %7.3f  min %8.3f  max %8.3f  (%d runs)\n", \
          name, m * 1000, sqrt(ss / n[name]) * 1000, lo * 1000, hi * 1000, n[name]
        printf "%.3f\n", m * 1000 > "/dev/stderr"
      }
    }' "$tmp/$label".*.json 2> "$tmp/$label.means"
  { read -r mean_1; read -r mean_2; } < "$tmp/$label.means"
}

echo "Machine: $(nproc) CPUs, $(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)," \
  "$(uname -sr); load average $(cut -d" " -f1-3 /proc/loadavg)"
echo "Game:    $game ($(ldd "$game" 2> /dev/null | awk '/=>/ { printf "%s ", $1 }'))"
echo

# --- Throughput --------------------------------------------------------------
# Three Enters through the opening's pauses, then at the first menu, over and
# over: an unrecognised word, which replays pages 1 to 4 and so answers their
# three pauses, and the key of the idle aside, which one more pause closes.
# The last answer, the quit word, ends the game exactly when the input does.
answers=1000000
cycles=$(((answers - 4) / 6))
[ $((3 + 6 * cycles + 1)) -eq "$answers" ] || fail "the session does not add up to $answers answers"
awk -v cycles="$cycles" -v key="$idle_key" -v quit="$quit" 'BEGIN {
  printf "\n\n\n"
  for (i = 0; i < cycles; ++i) printf "x\n\n\n\n%s\n\n", key
  printf "%s\n", quit
}' > "$tmp/session.in"

"$game" < "$tmp/session.in" > "$tmp/session.out" || fail "the game failed the scripted session"
# Every answer must have been asked for: one prompt per line of input.
pauses=$(grep -c -x "$pause_line" "$tmp/session.out" || true)
menus=$(grep -c -x '>' "$tmp/session.out" || true)
redo=$(grep -c -x 'Redo from start:' "$tmp/session.out" || true)
if [ "$pauses" -ne $((3 + 4 * cycles)) ] || [ "$menus" -ne $((2 * cycles + 1)) ] || [ "$redo" -ne 0 ]; then
  fail "the session was not played as scripted ($pauses pauses, $menus menus, $redo redos)"
fi
[ "$(tail -c 1 "$tmp/session.out")" = ">" ] || fail "the game did not end at the final $quit"
out_bytes=$(wc -c < "$tmp/session.out")
echo "Throughput: $answers answers in, $out_bytes bytes out ($pauses pauses, $menus menus)"

# Both write the same bytes into a pipe drained by cat; the game also reads
# its answers from a pipe, as a scripted player would feed it.
compare throughput 5 8 1 \
  -n game "cat '$tmp/session.in' | '$game' | cat > /dev/null" \
  -n cat "cat '$tmp/session.out' | cat > /dev/null"
row "throughput, 1M answers (ms)" "$mean_1" "$mean_2 (cat)" "$(ratio "$mean_1" "$mean_2")" "<= 1.25x"
echo

# --- Start-up ----------------------------------------------------------------
# With no input the game writes the banner, the first page and its pause, and
# ends at the end of input.
"$game" < /dev/null > "$tmp/opening.out" || fail "the game failed with no input"
grep -q -x "$pause_line" "$tmp/opening.out" || fail "the game wrote no pause with no input"
od -An -v -tu1 "$tmp/opening.out" | awk '{ for (i = 1; i <= NF; ++i) printf "%s,", $i } END { print "" }' \
  > "$tmp/opening.inc"
cc -O2 -DOPENING="\"$tmp/opening.inc\"" -o "$tmp/minimal" "$here/minimal.c"
"$tmp/minimal" | cmp -s - "$tmp/opening.out" || fail "the minimal program does not write the opening"
echo "Start-up: $(wc -c < "$tmp/opening.out") bytes, no input"

# Both write into a pipe (hyperfine drains it) and read an empty input.
compare startup 5 600 50 -N --output pipe -n game "$game" -n minimal "$tmp/minimal"
row "start-up to first pause (ms)" "$mean_1" "$mean_2 (C stdio)" "$(ratio "$mean_1" "$mean_2")" "<= 1.2x"
echo

# --- Memory ------------------------------------------------------------------
# Peak resident size moves from run to run by up to a few hundred KiB, with
# where address space randomisation puts the libraries and what the kernel
# has already mapped; the median of many runs moved by tens of KiB between
# two runs of the bench. The smallest of many runs, the two programs taking
# turns, stays put, and memory that grows raises it too.
# Usage: max_rss RUNS INPUT-A COMMAND-A INPUT-B COMMAND-B
max_rss() {
  local runs=$1 in_a=$2 cmd_a=$3 in_b=$4 cmd_b=$5
  for _ in $(seq "$runs"); do
    /usr/bin/time -f %M -o "$tmp/rss.a" "$cmd_a" < "$in_a" > /dev/null || fail "$cmd_a failed"
    /usr/bin/time -f %M -o "$tmp/rss.b" "$cmd_b" < "$in_b" > /dev/null || fail "$cmd_b failed"
    echo "$(cat "$tmp/rss.a") $(cat "$tmp/rss.b")"
  done > "$tmp/rss"
  rss_a=$(cut -d' ' -f1 "$tmp/rss" | sort -n | head -n 1)
  rss_b=$(cut -d' ' -f2 "$tmp/rss" | sort -n | head -n 1)
}
max_rss 101 /dev/null "$game" /dev/null "$tmp/minimal"
row "peak RSS, opening (KiB)" "$rss_a" "$rss_b (C stdio)" "$(ratio "$rss_a" "$rss_b")" "<= 1.1x"
# Memory must not grow with the input: the million answers against their
# first tenth, already far more than fills every buffer of the game.
head -n $((answers / 10)) "$tmp/session.in" > "$tmp/tenth.in"
max_rss 101 "$tmp/session.in" "$game" "$tmp/tenth.in" "$game"
row "peak RSS, 1M answers (KiB)" "$rss_a" "$rss_b (100k answers)" "$(ratio "$rss_a" "$rss_b")" "1.00x"

# Heap allocations over every transcript game, each a whole game from the
# banner to an ending, a quit or the end of its input.
heap_allocs() {
  valgrind --error-exitcode=99 --log-file="$tmp/valgrind" "$@" > /dev/null ||
    fail "valgrind found errors in $*: $(cat "$tmp/valgrind")"
  awk '/total heap usage:/ { gsub(/,/, "", $5); print $5 }' "$tmp/valgrind"
}
games=0
allocs=0
for input in "$transcripts"/*.in; do
  n=$(heap_allocs "$game" < "$input")
  games=$((games + 1))
  allocs=$((allocs + n))
done
[ "$games" -gt 0 ] || fail "no transcript games to run under valgrind"
c_allocs=$(heap_allocs "$tmp/minimal" < /dev/null)
row "heap allocs, $games whole games" "$allocs" "$c_allocs (C stdio, 1 run)" "-" "0"

# --- Table -------------------------------------------------------------------
echo
printf '%-30s %12s %26s %8s %9s\n' measure game reference ratio target
for r in "${rows[@]}"; do
  IFS='|' read -r measure g ref rat target <<< "$r"
  printf '%-30s %12s %26s %8s %9s\n' "$measure" "$g" "$ref" "$rat" "$target"
done
