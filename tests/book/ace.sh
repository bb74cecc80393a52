#!/usr/bin/env bash
# Ace by DAISY, npm's, on Debian's Chromium: no violation in the book.
# Usage: ace.sh SOURCE_DIR EPUB
set -uo pipefail
ace=$1/node_modules/@daisy/ace-cli/bin/ace.js
chromium=$(command -v chromium) || { echo "SKIPPED: Ace needs Chromium (apt-get install chromium)"; exit 0; }
[ -f "$ace" ] || { echo "SKIPPED: Ace is not installed (npm ci in $1)"; exit 0; }
report=$(mktemp -d)
trap 'rm -rf "$report"' EXIT
PUPPETEER_EXECUTABLE_PATH=$chromium node "$ace" --exiterror2 --silent --force --outdir "$report" "$2" ||
  { node -e 'for (const a of require(process.argv[1]).assertions) for (const b of a.assertions)
    console.log(a["earl:testSubject"].url, b["earl:test"]["dct:title"])' "$report/report.json"; exit 1; }
