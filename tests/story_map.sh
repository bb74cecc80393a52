#!/usr/bin/env bash
# Usage: story_map.sh TOOL DOT SVG
# The story map tool draws today's story as `make map` committed it: the very
# graph (every passage, option, link and accident, as the tool reads them
# from the story tables), and a drawing with a node and an edge for each of
# its own. After a change of the story, `make map` and a review of the diff.
set -uo pipefail
LC_ALL=C "$1" | cmp - "$2" || { echo "FAIL: the story's map is not $2: run make map"; exit 1; }
count() { LC_ALL=C grep -Eac "$1" "$2"; }
nodes=$(count '^  [a-z_]+ \[' "$2") edges=$(count ' -> ' "$2")
[ $((nodes - 2)) = "$(count 'class="node"' "$3")" ] && [ "$edges" = "$(count 'class="edge"' "$3")" ] ||
  { echo "FAIL: $3 is not drawn from $2: run make map"; exit 1; }
