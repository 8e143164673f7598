#!/usr/bin/env bash
# The Windows program at 150 % (144 dpi, wine's LogPixels): the menu is laid out from its
# twips at that scale, 227 x 384 pixels, and opens 200 twips (about 20 pixels) from the
# corner; the settings window opens at 630 x 449 pixels. The scale is put back after.
set -euo pipefail
exe=$1
source "$(dirname "$0")/wine_common.sh"
scale() {  # dpi, or nothing for wine's default
  wineserver -k 2>/dev/null || true
  "$here/../../tools/wine-prefix"
  if [ -n "${1:-}" ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
  else
    wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
  fi
}
trap 'status=$?; scale; exit $status' EXIT

scale 144
wine reg add 'HKCU\Software\qv\qv' /v show /d no /f >/dev/null
start_wine_qv "$exe"
open_wine_menu 227x384
# (10240 - 2265 - 200 twips) * 144 / 1440 = 777.5, which rounds up.
at=$(wait_for_origin "$menu" "778 364") || fail "the menu is at $at, not 778,364"
read -r left top <<<"$at"
xdotool mousemove $((left + 150)) $((top + 3120 * 144 / 1440 + 10)) click 1  # "Settings"
wait_for_window 630x449 >/dev/null || fail "no settings window of 630 x 449 pixels"
echo "wine scale: passed"
