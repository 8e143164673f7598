#!/usr/bin/env bash
# The Windows program under wine with texts beyond any code page: a program at
# C:\Tëst\程序.exe picked through the program picker starts from the menu as exactly that
# file, and an Ok that changes nothing leaves the store byte for byte; a Cyrillic and an
# emoji menu text typed into the settings window are stored and shown on the next start,
# the second cut to the ten characters a menu text holds (the emoji counting as one).
set -euo pipefail
exe=$1 driver=$2 marker=$3
source "$(dirname "$0")/wine_common.sh"

program='C:\Tëst\程序.exe'
mkdir -p "$WINEPREFIX/drive_c/Tëst"
cp "$marker" "$WINEPREFIX/drive_c/Tëst/程序.exe"
report=$(find "$WINEPREFIX/drive_c/users" -maxdepth 2 -iname temp | head -n 1)/qv-started.txt
wine reg add 'HKCU\Software\qv\qv' /v show /d no /f >/dev/null

open_menu() {  # sets menu_left and menu_top: the corner of the 1024 x 768 desktop
  open_wine_menu
  wait_for_origin "$menu" "860 499" >/dev/null || fail "the menu is not in the corner"
  menu_left=860 menu_top=499
}
open_settings() {  # sets settings, left and top
  open_menu
  xdotool mousemove $((menu_left + 60)) $((menu_top + 216)) click 1  # "Settings"
  settings=$(wait_for_window 420x299) || fail "the settings window did not appear"
  read -r left top < <(window_origin "$settings")
}
press_ok() {
  xdotool mousemove $((left + 276)) $((top + 16)) click 1
  for i in $(seq 100); do is_viewable "$settings" || return 0; sleep 0.05; done
  fail "the settings window stayed after Ok"
}
stored() {  # the settings as the registry holds them, every byte
  wine reg export 'HKCU\Software\qv\qv' 'C:\qv-store.reg' /y >/dev/null
  od -An -tx1 "$WINEPREFIX/drive_c/qv-store.reg"
}

start_wine_qv "$exe"
open_settings
xdotool mousemove $((left + 268)) $((top + 136)) click 1  # "Select" of slot 1
wine "$driver" pick "$program" || fail "the program picker could not be driven"
xdotool mousemove $((left + 340)) $((top + 136)) click 1  # the menu text of slot 1
wine "$driver" type "Привет" || fail "could not type into the menu text of slot 1"
xdotool mousemove $((left + 340)) $((top + 160)) click 1  # and of slot 2
wine "$driver" type "😀 Mail 12345" || fail "could not type into the menu text of slot 2"
press_ok
before=$(stored)
open_settings
press_ok
[ "$(stored)" = "$before" ] || fail "an Ok that changed nothing changed the store"
echo "store: unchanged by an Ok that changed nothing"

# A click wine dropped leaves nothing started: the menu is opened and clicked again. The
# program starts in a fraction of a second, but a new process under wine may take
# seconds: each try waits longer (a slow start met by a second click writes the same).
rm -f "$report"
for tenths in 30 60 150; do
  open_menu
  xdotool mousemove $((menu_left + 60)) $((menu_top + 104)) click 1  # slot 1
  desktop_wait "$tenths" test -s "$report" && break
done
started=$(cat "$report" 2>/dev/null || true)
[ "$started" = "$program" ] || fail "slot 1 started '$started', not $program"
echo "started from the menu: $started"

end_wine_qv $qv_pid
start_wine_qv "$exe"
open_menu
read_aloud=$(wine "$driver" read | tr -d '\r')
grep -qx "Привет|12|Press" <<<"$read_aloud" || fail "slot 1 does not show its Cyrillic text"
grep -qx "😀 Mail 123|12|Press" <<<"$read_aloud" || fail "slot 2 does not show its emoji text, cut"
echo "wine unicode e2e: passed"
