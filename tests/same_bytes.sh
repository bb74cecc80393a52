#!/usr/bin/env bash
# Usage: same_bytes.sh TRANSCRIPT_DIR EXPECTED ACTUAL [CONVERT]
# Two editions tell the same story: the shell command ACTUAL, given each input
# through the filter CONVERT, writes exactly what EXPECTED writes, and both end
# with status 0, on every transcript input, on inputs of many megabytes and
# lines of megabytes, on arbitrary bytes, on long accented answers, and on no
# input at all. TRANSLATE, if set, is a filter that answers each input of
# TRANSCRIPT_DIR in another language first (a translation with no
# transcripts of its own). Exits 77 (skipped) when NEEDS names a missing file.
set -euo pipefail
dir=$1 expected_command=$2 actual_command=$3 convert=${4:-cat}
if [ -n "${NEEDS:-}" ] && [ ! -f "$NEEDS" ]; then
  echo "SKIPPED: $NEEDS is not built (make web needs clang's wasm32-wasi target and Node.js)"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Big inputs, made the same way on every run.
: > "$work/empty"
head -c $((3 * 1024 * 1024)) /dev/zero | tr '\0' 'a' > "$work/long-line"       # 3 MB, no newline
{ head -c $((2 * 1024 * 1024)) /dev/zero | tr '\0' 'b'; printf '\n\n\n\nd\n'; } > "$work/long-then-menu"
LC_ALL=C awk 'BEGIN { srand(7); for (i = 0; i < 2 * 1024 * 1024; ++i) printf "%c", int(rand() * 256) }' \
  > "$work/random-bytes"
awk 'BEGIN { printf "\n\n\n"; for (i = 0; i < 150000; ++i) printf "x\n\n\n\nn\n\n"; print "salir" }' \
  > "$work/many-answers"                                                      # 5 MB, 900,000 answers
for seed in {1..16}; do  # keys, Enter, and answers of up to 300 characters of "\tñá \240aeinstx"
  LC_ALL=C awk -v seed="$seed" 'BEGIN { srand(seed); keys = "aeinstx"; all = "\t\361\341 \240" keys
    for (i = 0; i < 400; ++i) { long = rand() < 0.3; pick = long ? all : keys; n = long ? rand() * 300 : rand() * 2
      for (j = 0; j < int(n); ++j) printf "%c", substr(pick, 1 + int(rand() * length(pick)), 1); print "" } }' \
    > "$work/accented-$seed"
done

own=("$work"/*) inputs=("$dir"/*.in) failed=0
if [ -n "${TRANSLATE:-}" ]; then
  mkdir "$work/translated"
  for input in "${inputs[@]}"; do bash -c "$TRANSLATE" < "$input" > "$work/translated/${input##*/}"; done
  inputs=("$work"/translated/*)
fi
inputs+=("${own[@]}")
for input in "${inputs[@]}"; do
  expected=$(bash -o pipefail -c "$expected_command" < "$input" | sha256sum; echo "${PIPESTATUS[0]}")
  bash -c "$convert" < "$input" > "$work/converted"
  actual=$(bash -o pipefail -c "$actual_command" < "$work/converted" | sha256sum; echo "${PIPESTATUS[0]}")
  [ "$expected" = "$actual" ] && [ "${actual##*$'\n'}" = 0 ] ||
    { echo "differs: $(basename "$input")"; failed=$((failed + 1)); }
done
echo "$((${#inputs[@]} - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
