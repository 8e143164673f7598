#!/usr/bin/env bash
# QV started before any notification area, as at a logon where the panel comes late.
# Without a tray QV says so after some seconds, on standard error and in a notice; an
# XEmbed tray that starts later gets the icon at once, and the notice goes. Then, on a
# fresh desktop with only a D-Bus (StatusNotifierItem) host, started after QV: the item
# registers, and both a left click (Activate) and a right click (the item's menu, or
# ContextMenu) open QV's menu.
set -euo pipefail
qv=$1 seed=$2
if [ -z "${QV_PRIVATE_BUS:-}" ]; then  # again, inside a session bus of its own
  QV_PRIVATE_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
QV_OWN_DESKTOP=1 source "$(dirname "$0")/common.sh"
host=(/usr/bin/python3 "$here/sni_host.py")  # Debian's python, which has dbus
"$seed" set show no

notice_up() { [[ $(xwininfo -root -children) == *'"QV": ('* ]]; }

own_desktop
"$qv" 2>"$scratch/stderr" &
desktop_pids+=($!)
desktop_wait 200 bash -c "grep -q 'no notification area' '$scratch/stderr'" ||
  fail "nothing was said about the missing notification area"
desktop_wait 40 notice_up || fail "no notice window"
[ "$(grep -c 'no notification area' "$scratch/stderr")" = 1 ] || fail "said more than once"
desktop_tray || fail "the tray did not start"
desktop_wait_tray_icon qv >/dev/null || fail "the icon did not dock in the late tray"
desktop_wait 40 eval '! notice_up' || fail "the notice stayed after the tray came"
desktop_stop
desktop_pids=()

own_desktop
"$qv" 2>"$scratch/stderr2" &
desktop_pids+=($!)
sleep 1
"${host[@]}" serve &
desktop_pids+=($!)
"${host[@]}" wait-item >/dev/null || { cat "$scratch/stderr2"; fail "the icon never registered with the late D-Bus host"; }
"${host[@]}" activate
menu=$(wait_for_window 151x256) || fail "Activate did not open the menu"
xdotool mousemove 100 100
at=$(wait_for_origin "$menu" "860 499") || fail "the menu is at $at, not in the corner"
read -r left top <<<"$at"
xdotool mousemove $((left + 100)) $((top + 3360 / 15 + 8)) click 1  # "Hide Menu"
desktop_wait 20 eval '! is_viewable "$menu"' || fail "the menu did not hide"
"${host[@]}" right-click || fail "the item's menu could not be asked for"
wait_for_window 151x256 >/dev/null || fail "a right click did not open the menu"
echo "e2e late tray: passed"
