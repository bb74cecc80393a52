#!/usr/bin/env bash
# Serves the game over TCP on loopback with the socat line of
# docs/network-play.md and plays it as telnet players would (answers end in
# CR LF): every transcript at once, each compared byte for byte with its
# expected output in CR LF; no game outlives its session.
# Usage: socat-sessions.sh GAME TRANSCRIPT_DIR. Exits 77 without socat.
set -euo pipefail
game=$1 transcripts=$2 min_sessions=50

command -v socat >/dev/null || { echo "skipped: socat is not installed"; exit 77; }
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
# socat splits EXEC's command at blanks and reads ':' and ',' itself.
ln -s "$(realpath "$game")" "$work/tramontalia"

wait_until() {  # a command, then how many tenths of a second to wait for it
  for ((try = 0; try < $2; try++)); do eval "$1" && return 0; sleep 0.1; done
  return 1
}
# Games, not the socats that start them, wherever they are (one orphaned by its socat counts).
games() { pgrep -f "^$work/tramontalia" | wc -l; }

socat -d -d -t 5 TCP-LISTEN:0,bind=127.0.0.1,reuseaddr,fork,crlf,backlog=64 \
  EXEC:"$work/tramontalia" 2>"$work/server.log" &
listening() { port=$(sed -n 's/.*listening on .*127\.0\.0\.1:\([0-9]*\)$/\1/p' "$work/server.log"); [[ -n $port ]]; }
wait_until listening 50 || { echo "socat did not listen"; cat "$work/server.log"; exit 1; }

# socat drops every CR a client sends, so inputs holding one of their own
# cannot reach the game unchanged: those stay with the local transcripts.
inputs=()
for input in "$transcripts"/*.in; do grep -q $'\r' "$input" || inputs+=("$input"); done
sessions=$((${#inputs[@]} > min_sessions ? ${#inputs[@]} : min_sessions))

# Each client connects at once and holds back its answers until every game
# is running, so that all of them are played side by side.
mkfifo "$work/go"
exec {go}<>"$work/go"
for ((i = 0; i < sessions; i++)); do
  { read -r -t 30 <"$work/go" && sed -z 's/\n/\r\n/g' "${inputs[i % ${#inputs[@]}]}"; } |
    timeout 40 socat -t 20 - TCP:127.0.0.1:"$port" >"$work/$i.actual" &
  clients+=($!)
done
wait_until '(($(games) == sessions))' 200 || { echo "only $(games) of $sessions games ran at once"; exit 1; }
for ((i = 0; i < sessions; i++)); do echo >&"$go"; done

failed=0
for ((i = 0; i < sessions; i++)); do
  expected=${inputs[i % ${#inputs[@]}]%.in}.out
  wait "${clients[i]}" || true
  cmp -s "$work/$i.actual" <(sed -z 's/\n/\r\n/g' "$expected") ||
    { echo "session $i differs from $(basename "$expected") in CR LF"; failed=$((failed + 1)); }
done
echo "$((sessions - failed)) of $sessions concurrent sessions received their transcript"
wait_until '(($(games) == 0))' 50 || { echo "games left after the sessions: $(games)"; exit 1; }
((failed == 0))
