#!/usr/bin/env bash
# The Windows program under wine on a virtual desktop, kept as the zip says "anywhere",
# here a Downloads folder where a planted oleacc.dll lies beside it: its icon docks in the
# tray, a click on it pops the menu up, a second copy ends at once, and a screen reader in
# another process reads the menu's name and its entries' names, roles and action without
# the planted DLL being loaded. Another process then sends QV's windows the numbers of
# its private messages, and the menu still opens.
set -euo pipefail
built=$1 driver=$2 planted=$3
source "$(dirname "$0")/wine_common.sh"
downloads="$WINEPREFIX/drive_c/Downloads"
mkdir -p "$downloads"
cp "$built" "$downloads/qv.exe"
cp "$planted" "$downloads/oleacc.dll"
exe="$downloads/qv.exe"
marker="$WINEPREFIX/drive_c/qv-planted-dll-loaded"
rm -f "$marker"
export WINEDLLOVERRIDES="oleacc=n,b"  # wine's own would win over any file otherwise

wine reg add 'HKCU\Software\qv\qv' /v show /d no /f >/dev/null

# Twenty copies started at the same moment: exactly one stays.
copies() { pgrep -c -x -f "$exe" || true; }
starts=()
for i in $(seq 20); do wine "$exe" & starts+=($!); done
desktop_wait 300 eval '[ "$(running "${starts[@]}")" -le 1 ]' ||
  fail "$(running "${starts[@]}") of 20 simultaneous starts still run"
[ "$(copies)" = 1 ] || fail "$(copies) copies run after 20 simultaneous starts"
echo "race: 20 simultaneous starts left one running copy"
wineserver -k 2>/dev/null || true  # ends it
"$here/../../tools/wine-prefix"      # and brings the prefix's own processes back
desktop_wait 50 eval '[ "$(copies)" = 0 ]' || fail "copies left after the prefix's restart"

start_wine_qv "$exe"

start=$(date +%s%N)
wine "$exe" || fail "the second copy failed"
elapsed_ms=$((($(date +%s%N) - start) / 1000000))
echo "second copy ended after $elapsed_ms ms"

open_wine_menu
at=$(wait_for_origin "$menu" "860 499") || fail "the menu is at $at, not 860,499"
read_aloud=$(wine "$driver" read | tr -d '\r')
grep -qx "QV menu|11|" <<<"$read_aloud" || fail "a screen reader does not find the menu"
grep -qx "Hide Menu|12|Press" <<<"$read_aloud" || fail "a screen reader misreads Hide Menu"
grep -qx "Empty slot 7|12|Press" <<<"$read_aloud" || fail "a screen reader misreads slot 7"
[ ! -e "$marker" ] || fail "QV loaded the oleacc.dll planted beside it"
echo "dll search: the screen reader was answered without the planted oleacc.dll"

reached=$(WINEDLLOVERRIDES= wine "$driver" attack | tr -d '\r') || fail "no window of QV found: $reached"
echo "hostile messages: $reached"
pgrep -f "$exe" >/dev/null || fail "QV ended after another process's messages"
xdotool key Escape
desktop_wait 50 eval '! is_viewable "$menu"' || fail "Escape did not hide the menu"
open_wine_menu
[ -n "${QV_SCREENSHOT:-}" ] && import -window root "$QV_SCREENSHOT"
echo "wine e2e: passed"
