#!/usr/bin/env bash
# QV started before any notification area, as at a logon where the panel comes late.
# Without a tray QV says so after some seconds, on standard error and in a notice; an
# XEmbed tray that starts later gets the icon at once, and the notice goes. Then, on a
# fresh desktop with only a D-Bus (StatusNotifierItem) host, started after QV: the item
# registers, a left click (Activate) opens QV's menu, and the item's D-Bus menu holds
# QV's entries: reading it, as hosts do at registration, opens nothing, and its
# "Exit Velmora" ends QV.
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
  { cat "$scratch/stderr" >&2; fail "nothing was said about the missing notification area"; }
desktop_wait 40 notice_up || fail "no notice window"
[ "$(grep -c 'no notification area' "$scratch/stderr")" = 1 ] || fail "said more than once"
desktop_tray || fail "the tray did not start"
desktop_wait_tray_icon qv >/dev/null || fail "the icon did not dock in the late tray"
desktop_wait 40 eval '! notice_up' || fail "the notice stayed after the tray came"
desktop_stop
desktop_pids=()

own_desktop
"$qv" 2>"$scratch/stderr2" &
qv_pid=$!
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
entries=$("${host[@]}" read-menu) || fail "the item's menu could not be read"
[ "$(head -n 1 <<<"$entries")" = Defrag ] && [ "$(tail -n 1 <<<"$entries")" = "Exit Velmora" ] ||
  fail "the item's menu is not QV's: $entries"
no_menu_open || fail "reading the item's menu opened QV's menu"
"${host[@]}" choose "Exit Velmora" || fail "the item's entry could not be chosen"
qv_ended() { ! ps -o stat= -p "$qv_pid" | grep -qv Z; }  # gone, or a zombie
desktop_wait 50 qv_ended || fail "Exit Velmora did not end QV"
echo "e2e late tray: passed"
