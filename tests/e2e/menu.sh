#!/usr/bin/env bash
# The tray menu for real: one instance, the icon in the tray, the menu in the corner,
# hover colours on screen, a slot starting its program by mouse and by keyboard, and Exit.
set -euo pipefail
qv=$1 seed=$2
source "$(dirname "$0")/common.sh"

"$seed" set show no
make_marker_program "$scratch/my apps/marker; echo" "$scratch/slot7-ran"
"$seed" slot 7 "Marker" "$scratch/my apps/marker; echo"
start_qv

started=$(date +%s%N)
"$qv" || fail "a second start must end quietly"
elapsed_ms=$((($(date +%s%N) - started) / 1000000))
[ "$elapsed_ms" -lt 2000 ] || fail "the second start took ${elapsed_ms} ms"
kill -0 "$qv_pid" || fail "the first instance died"
[ "$(xwininfo -root -tree | grep -c '"qv"')" -ge 1 ] || fail "no window"

click_tray_icon
menu=$(wait_for_window 151x256) || fail "the menu did not appear"
# 1024 x 768: 151 x 256 pixels, 200 twips (13.3 pixels) from the right and bottom edges.
at=$(wait_for_origin "$menu" "860 499") || fail "menu at $at, not 860,499"
read -r left top <<<"$at"

row_y=$((top + 2520 / 15 + 8))  # "Notepad"
[ "$(desktop_pixel $((left + 40)) $((row_y - 6)))" = "ffffff" ] || fail "resting colour"
xdotool mousemove $((left + 100)) "$row_y"
sleep 0.3
[ "$(desktop_pixel $((left + 40)) $((row_y - 6)))" = "e0e0e0" ] || fail "no hover colour"

xdotool mousemove $((left + 100)) $((top + 8)) click 1  # the top entry: slot 7
desktop_wait 50 test -e "$scratch/slot7-ran" || fail "the slot's program did not start"
desktop_wait 20 bash -c "! xwininfo -id $menu | grep -q IsViewable" || fail "menu not hidden"

# By keyboard: the shown menu has the keys; Home highlights the top entry, Return runs it.
rm -f "$scratch/slot7-ran"
xdotool mousemove 10 10
click_tray_icon
wait_for_window 151x256 >/dev/null || fail "the menu did not come back"
xdotool mousemove 10 10 key Home
sleep 0.3
[ "$(desktop_pixel $((left + 40)) $((top + 2)))" = "e0e0e0" ] || fail "Home did not highlight"
xdotool key Return
desktop_wait 50 test -e "$scratch/slot7-ran" || fail "Return did not start the slot's program"

click_tray_icon
wait_for_window 151x256 >/dev/null || fail "the menu did not come back"
xdotool mousemove $((left + 100)) $((top + 3600 / 15 + 8)) click 1  # "Exit Velmora"
desktop_wait 50 bash -c "! kill -0 $qv_pid 2>/dev/null" || fail "Exit did not end QV"
[ -z "$(desktop_tray_icon qv)" ] || fail "the icon stayed in the tray"
echo "e2e menu: passed"
