#!/usr/bin/env bash
# The real program against crashes and races: killed with SIGKILL while it runs and
# while it saves (each time the store must parse and hold every old value or every new
# one), and twenty copies started at the same moment (one survives).
# QV_KILL_ROUNDS sets how many saves are killed (tools/kill-loop runs hundreds).
set -euo pipefail
qv=$1 seed=$2
rounds=${QV_KILL_ROUNDS:-4}
source "$(dirname "$0")/common.sh"

running_copies() { pgrep -c -x -f "$qv" || true; }

"$seed" set show no
start_qv

# Killed while running: the next start works and the icon comes back.
kill -9 "$qv_pid"
wait "$qv_pid" 2>/dev/null || true
desktop_wait 50 eval '[ -z "$(desktop_tray_icon qv)" ]' || fail "the killed QV's icon stayed"
start_qv

# Twenty starts at the same moment with none running: exactly one stays.
kill "$qv_pid"
ended "$qv_pid" || fail "QV did not end on SIGTERM"
starts=()
for i in $(seq 20); do "$qv" & starts+=($!); done
desktop_wait 200 eval '[ "$(running "${starts[@]}")" -le 1 ]' ||
  fail "$(running "${starts[@]}") of 20 simultaneous starts still run"
[ "$(running_copies)" = 1 ] || fail "$(running_copies) copies run after 20 simultaneous starts"
echo "race: 20 simultaneous starts left one running copy"
pkill -x -f "$qv" || true
desktop_wait 50 bash -c "[ \"\$(pgrep -c -x -f '$qv')\" = 0 ]" || fail "copies left"

# Killed while saving: round r types "round r" as slot 1's text and presses Ok. After
# each kill the store holds every old value, or every key of the new save.
keys="passwd title1 title2 title3 title4 title5 title6 title7 prog1 prog2 prog3 prog4 prog5
      prog6 prog7 use show start"
state() { for key in $keys; do printf '%s=%s\n' "$key" "$("$seed" get "$key")"; done; }
old=""  # slot 1 has never been saved
survived=0 kept=0
for round in $(seq "$rounds"); do
  before=$(state)
  start_qv
  open_settings
  click_at "$settings" 360 137
  xdotool key ctrl+a type "r$round"
  read -r sx sy < <(window_origin "$settings")
  xdotool mousemove $((sx + 332)) $((sy + 16)) mousedown 1
  xdotool mouseup 1 &  # "Ok" acts on the release: the kill races it
  sleep "$(printf "0.%04d" $((RANDOM % 150)))"  # 0 to 15 ms: before, during or after the save
  kill -9 "$qv_pid"
  wait "$qv_pid" 2>/dev/null || true
  now=$("$seed" get title1) || fail "the store does not read after kill $round"
  after=$(state)
  if [ "$now" = "$old" ]; then
    [ "$after" = "$before" ] || fail "kill $round left some old values changed"
    kept=$((kept + 1))
  else
    [ "$now" = "r$round" ] || fail "title1 is '$now' after kill $round"
    grep -q '^[a-z0-9]*=$' <<<"$after" && fail "kill $round left a key of the save unwritten"
  fi
  old=$now
  survived=$((survived + 1))
done
echo "kill rounds with nothing lost: $survived of $rounds ($kept killed before the save was on disk)"
echo "e2e robustness: passed"
