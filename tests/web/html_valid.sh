#!/usr/bin/env bash
# Usage: html_valid.sh SOURCE_DIR WEB_BUILD_DIR
# The Nu HTML Checker finds no error in any page `make web` wrote.
# Exit 77 (skipped) without Java, the checker (npm ci) or a page.
set -euo pipefail
checker=$1/node_modules/vnu-jar/build/dist/vnu.jar
skip() { echo "SKIPPED: $*"; exit 77; }
command -v java > /dev/null || skip "the HTML checker needs Java (apt-get install default-jre-headless)"
[ -f "$checker" ] || skip "the HTML checker is not installed (npm ci --ignore-scripts)"
mapfile -t pages < <(find "$2" -name '*.html')
[ ${#pages[@]} -gt 0 ] || skip "no page in $2 (make web)"
java -jar "$checker" --errors-only "${pages[@]}"
echo "no error in: ${pages[*]}"
