#!/usr/bin/env bash
# Usage: same_bytes.sh TRANSCRIPT_DIR EXPECTED ACTUAL
# Two editions tell the same story: the shell command ACTUAL writes exactly
# what EXPECTED writes, and both end with status 0, on every transcript input,
# on inputs of many megabytes and lines of megabytes, on arbitrary bytes, and
# on no input at all. Exits 77 (skipped) when NEEDS names a missing file.
set -euo pipefail
dir=$1 expected_command=$2 actual_command=$3
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

inputs=("$dir"/*.in "$work"/*) failed=0
for input in "${inputs[@]}"; do
  expected=$(bash -o pipefail -c "$expected_command" < "$input" | sha256sum; echo "${PIPESTATUS[0]}")
  actual=$(bash -o pipefail -c "$actual_command" < "$input" | sha256sum; echo "${PIPESTATUS[0]}")
  [ "$expected" = "$actual" ] && [ "${actual##*$'\n'}" = 0 ] ||
    { echo "differs: $(basename "$input")"; failed=$((failed + 1)); }
done
echo "$((${#inputs[@]} - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
