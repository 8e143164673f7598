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

open_menu
# 1024 x 768: 151 x 256 pixels, 200 twips (13.3 pixels) from the right and bottom edges.
at=$(wait_for_origin "$menu" "860 499") || fail "menu at $at, not 860,499"
colour_at() { [ "$(desktop_pixel $((860 + 40)) $((499 + $1)))" = "$2" ]; }  # y in the menu, rrggbb

row=$((2520 / 15 + 2))  # "Notepad"
colour_at $row ffffff || fail "resting colour"
xdotool mousemove $((860 + 100)) $((499 + row + 6))
desktop_wait 10 colour_at $row e0e0e0 || fail "no hover colour"

click_at "$menu" 100 8  # the top entry: slot 7
desktop_wait 50 test -e "$scratch/slot7-ran" || fail "the slot's program did not start"
hidden "$menu" || fail "menu not hidden"

# By keyboard: the shown menu has the keys; Home highlights the top entry, Return runs it.
rm -f "$scratch/slot7-ran"
open_menu
xdotool mousemove 10 10 key Home
desktop_wait 10 colour_at 2 e0e0e0 || fail "Home did not highlight"
xdotool key Return
desktop_wait 50 test -e "$scratch/slot7-ran" || fail "Return did not start the slot's program"

open_menu
click_at "$menu" 100 $((3600 / 15 + 8))  # "Exit Velmora"
ended "$qv_pid" || fail "Exit did not end QV"
[ -z "$(desktop_tray_icon qv)" ] || fail "the icon stayed in the tray"
echo "e2e menu: passed"
