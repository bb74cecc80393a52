#!/bin/sh
# Usage: pick_language.sh LANGUAGE...
# Prints which of the game's languages (gettext codes such as fr or pt_BR;
# es, the story's own, is always there) the player's locale asks for: the
# first of LANGUAGE's list, then LC_ALL, LC_MESSAGES and LANG, that the game
# has, taken whole (pt_BR) or by its language alone (fr_CA is fr, pt_PT is
# pt_BR, de_AT de); es where none is.
for wanted in $(echo "${LANGUAGE:-}" | tr ':' ' ') "${LC_ALL:-}" "${LC_MESSAGES:-}" "${LANG:-}"; do
  wanted=${wanted%%.*}
  wanted=${wanted%%@*}
  case $wanted in '' | C | POSIX) continue ;; es | es_*) echo es; exit 0 ;; esac
  for language in "$@"; do
    [ "$language" = "$wanted" ] && { echo "$language"; exit 0; }
  done
  for language in "$@"; do
    [ "${language%%_*}" = "${wanted%%_*}" ] && { echo "$language"; exit 0; }
  done
done
echo es
