#!/usr/bin/env bash
# Usage: node_edition.sh WEB_COMMAND UTF8_GAME TRANSCRIPT_DIR
# The browser edition's module, played by its Node command, must write
# exactly what the UTF-8 console edition writes, byte for byte: on every
# transcript input, on inputs of many megabytes and lines of megabytes, on
# arbitrary bytes, and on no input at all. Exit 77 (skipped) without it.
set -euo pipefail
command=$1 game=$2 dir=$3
if [ ! -f "$command" ] || ! command -v node > /dev/null; then
  echo "SKIPPED: the browser edition is not built (make web needs clang's wasm32-wasi target and Node.js)"
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

failed=0 played=0
check() {
  local input=$1 expected actual
  # Both end with status 0, whatever the input.
  expected=$("$game" < "$input" | sha256sum; echo "${PIPESTATUS[0]}")
  actual=$(node "$command" < "$input" | sha256sum; echo "${PIPESTATUS[0]}")
  if [ "$expected" != "$actual" ] || [ "${actual##*$'\n'}" != 0 ]; then
    echo "differs: $(basename "$input")"
    failed=$((failed + 1))
  fi
  played=$((played + 1))
}
for input in "$dir"/*.in "$work"/*; do check "$input"; done
echo "$((played - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
