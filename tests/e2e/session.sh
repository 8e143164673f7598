#!/usr/bin/env bash
# QV under an X session manager: a checkpoint ("save your data", as before a logout that
# may still be cancelled) leaves QV running and its menu working; the logout's save
# followed by "die" ends it.
set -euo pipefail
qv=$1 seed=$2 manager=$3
source "$(dirname "$0")/common.sh"

coproc session { "$manager"; }
desktop_pids+=("$session_PID")
heard() {  # event: waits up to ten seconds for the manager to report it
  local line
  while read -r -t 10 line <&"${session[0]}"; do [ "$line" = "$1" ] && return 0; done
  return 1
}
read -r -t 10 address <&"${session[0]}" || fail "the session manager did not start"
export SESSION_MANAGER=$address

"$seed" set show no
start_qv
heard registered || fail "QV did not register with the session manager"
heard saved || fail "QV did not answer the first save"

echo save >&"${session[1]}"
heard saved || fail "QV did not answer the checkpoint"
open_menu  # handled after the checkpoint: an end it started would have come first
kill -0 "$qv_pid" 2>/dev/null || fail "the checkpoint ended QV"

echo shutdown >&"${session[1]}"
heard saved || fail "QV did not answer the logout's save"
ended "$qv_pid" || fail "the session's end did not end QV"
echo "e2e session: passed"
