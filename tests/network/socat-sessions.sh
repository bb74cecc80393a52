#!/usr/bin/env bash
# Serves the game over TCP with the socat line of docs/network-play.md, on
# loopback, and plays it as telnet players would (answers end in CR LF):
# every transcript at once, each compared byte for byte with its expected
# output in CR LF. Then players leave mid-game, and no game may outlive them.
#
# Usage: socat-sessions.sh GAME TRANSCRIPT_DIR [MIN_SESSIONS]
# Exits 77 (skipped) when socat is not installed.
set -euo pipefail

game=$1
transcripts=$2
min_sessions=${3:-50}

if ! command -v socat >/dev/null; then
  echo "skipped: socat is not installed (apt-get install socat)"
  exit 77
fi

work=$(mktemp -d)
server=
start=
sessions=0
clients=()
cleanup() {
  local pid i
  for pid in "${clients[@]}"; do kill "$pid" 2>/dev/null || true; done
  if [[ -n $start ]]; then
    for ((i = 0; i < sessions; i++)); do echo >&"$start"; done
  fi
  [[ -z $server ]] || kill "$server" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# socat splits EXEC's command at blanks and reads ':' and ',' itself: a link
# with a plain name keeps the build path out of its way.
ln -s "$(realpath "$game")" "$work/tramontalia"
game_name=tramontalia

# Prints "pid name" for every process below pid $1, from /proc alone.
descendants() {
  local -A parent=() names=() below=()
  local stat line pid rest changed
  for stat in /proc/[0-9]*/stat; do
    { read -r line <"$stat"; } 2>/dev/null || continue
    pid=${line%% *}
    rest=${line##*) } # a name may hold blanks and parentheses; what follows cannot
    rest=${rest#* }
    parent[$pid]=${rest%% *}
    line=${line#*(}
    names[$pid]=${line%) *}
  done
  below[$1]=1
  changed=1
  while ((changed)); do
    changed=0
    for pid in "${!parent[@]}"; do
      if [[ -z ${below[$pid]:-} && -n ${below[${parent[$pid]}]:-} ]]; then
        below[$pid]=1
        changed=1
      fi
    done
  done
  for pid in "${!below[@]}"; do
    [[ $pid == "$1" ]] || echo "$pid ${names[$pid]:-?}"
  done
}

games() {
  descendants "$server" | awk -v name="$game_name" '$2 == name { print $1 }'
}

count_games() {
  games | wc -l
}

# True when none of the given processes exists any more: not even as a
# zombie, nor as an orphan that another parent adopted.
all_gone() {
  local pid
  for pid; do [[ ! -e /proc/$pid ]] || return 1; done
}

no_process_left() {
  all_gone "$@" && [[ -z $(descendants "$server") ]]
}

# Waits up to $2 tenths of a second for the command $1 to succeed.
wait_until() {
  local tries
  for ((tries = 0; tries < $2; tries++)); do
    eval "$1" && return 0
    sleep 0.1
  done
  return 1
}

# The documented line, on loopback and a port the kernel picks. Not its
# max-children: this test runs more sessions than that at once.
: >"$work/server.log"
socat -d -d -t 5 TCP-LISTEN:0,bind=127.0.0.1,reuseaddr,fork,crlf,backlog=64,keepalive \
  EXEC:"$work/tramontalia" 2>"$work/server.log" &
server=$!
port=
listening() {
  port=$(sed -n '1s/.* listening on .*127\.0\.0\.1:\([0-9][0-9]*\)$/\1/p' "$work/server.log")
  [[ -n $port ]]
}
if ! wait_until listening 50; then
  echo "socat did not start listening:"
  cat "$work/server.log"
  exit 1
fi

# socat drops every CR a client sends, so an input that holds one of its own
# cannot reach the game unchanged: those stay with the local transcripts.
inputs=()
for input in "$transcripts"/*.in; do
  grep -q $'\r' "$input" || inputs+=("$input")
done
sessions=$((${#inputs[@]} > min_sessions ? ${#inputs[@]} : min_sessions))

# Every client connects, then waits for its own byte on the start line
# before it answers, so that all the games run side by side. The line is
# held open here, so a client that comes to it late still finds its byte.
mkfifo "$work/start"
exec {start}<>"$work/start"
for ((i = 0; i < sessions; i++)); do
  input=${inputs[i % ${#inputs[@]}]}
  {
    read -r -t 30 <"$work/start" || exit 1
    sed -z 's/\n/\r\n/g' "$input"
  } | timeout 40 socat -t 20 - TCP:127.0.0.1:"$port" >"$work/$i.actual" 2>"$work/$i.err" &
  clients+=($!)
done

if ! wait_until '(($(count_games) == sessions))' 200; then
  echo "only $(count_games) of $sessions games were running at once; socat said last:"
  tail -n 5 "$work/server.log"
  exit 1
fi
mapfile -t session_games < <(games)
echo "$sessions games running at once"
for ((i = 0; i < sessions; i++)); do echo >&"$start"; done

failed=0
for ((i = 0; i < sessions; i++)); do
  input=${inputs[i % ${#inputs[@]}]}
  name=$(basename "$input" .in)
  status=0
  wait "${clients[i]}" || status=$?
  sed -z 's/\n/\r\n/g' "${input%.in}.out" >"$work/$i.expected"
  if ((status != 0)); then
    echo "session $i ($name): the client ended with status $status"
    cat "$work/$i.err"
    failed=$((failed + 1))
  elif ! cmp -s "$work/$i.actual" "$work/$i.expected"; then
    echo "session $i ($name): output differs from $name.out with CR LF line ends:"
    diff <(cat -A "$work/$i.actual") <(cat -A "$work/$i.expected") | head -n 8 || true
    failed=$((failed + 1))
  fi
done
clients=()
echo "$((sessions - failed)) of $sessions sessions received their transcript"

if ! wait_until 'no_process_left "${session_games[@]}"' 50; then
  echo "processes left 5 s after the sessions ended:"
  descendants "$server"
  for pid in "${session_games[@]}"; do all_gone "$pid" || echo "game $pid"; done
  failed=$((failed + 1))
fi

# Players who leave mid-game, after two answers: one drops the connection
# with what the game wrote still unread (the peer sees a reset), one reads
# it all and then closes (as quitting telnet does).
for leaving in "dropping the connection" "closing the connection"; do
  exec {player}<>/dev/tcp/127.0.0.1/"$port"
  printf 'x\r\n\r\n' >&"$player"
  if ! wait_until '(($(count_games) == 1))' 50; then
    echo "no game started for a player $leaving"
    exit 1
  fi
  player_game=$(games)
  if [[ $leaving == closing* ]]; then
    while IFS= read -r -t 0.5 -u "$player" _; do :; done
  else
    sleep 0.3
  fi
  if all_gone "$player_game"; then
    echo "the game ended before its player left"
    exit 1
  fi
  exec {player}>&-
  if wait_until 'no_process_left "$player_game"' 50; then
    echo "a player $leaving mid-game left no process behind"
  else
    echo "processes left 5 s after a player $leaving mid-game:"
    descendants "$server"
    all_gone "$player_game" || echo "game $player_game"
    failed=$((failed + 1))
  fi
done

((failed == 0))
