#!/usr/bin/env bash
# Two monitors as X11 desktops often have them: LEFT 1280x1024 at +0+0 and the primary,
# RIGHT, 1024x768 at +1280+256 (bottom-aligned). The menu opens in the bottom-right
# corner of the monitor that holds the tray icon, wholly on it, whichever that is: an
# XEmbed tray's, or a D-Bus (StatusNotifierItem) host's, whose item is clicked there.
# Xvfb cannot offset monitors; Xorg with the dummy driver can (RandR 1.5 monitors).
set -euo pipefail
qv=$1 seed=$2
QV_BUS=private QV_OWN_DESKTOP=1 source "$(dirname "$0")/common.sh"
host=(/usr/bin/python3 "$here/sni_host.py")  # Debian's python, which has dbus
"$seed" set show no

fifo="$scratch/display" && mkfifo "$fifo"
Xorg -displayfd 3 -config "$here/dummy-xorg.conf" -noreset -nolisten tcp -keeptty \
  -novtswitch -logfile "$scratch/xorg.log" 3>"$fifo" >/dev/null 2>&1 &
desktop_pids+=($!)
read -r -t 20 display <"$fifo" || fail "Xorg with the dummy driver did not start"
export DISPLAY=":$display"
# One mode over the whole screen, so the pointer reaches every pixel, split in two.
xrandr --newmode 2304x1024 196.00 2304 2456 2696 3088 1024 1027 1037 1059 -hsync +vsync
xrandr --addmode DUMMY0 2304x1024 && xrandr --fb 2304x1024 --output DUMMY0 --mode 2304x1024
xrandr --setmonitor LEFT 1280/338x1024/270+0+0 DUMMY0 >/dev/null
xrandr --setmonitor '*RIGHT' 1024/270x768/203+1280+256 none >/dev/null

menu_with_tray_on() {  # trayer's monitor number, the expected "left top"; prints where it is
  desktop_tray --monitor "$1" || fail "the tray did not start"
  "$qv" &
  local pid=$! menu
  desktop_pids+=("$pid")
  icon=$(desktop_wait_tray_icon qv) || fail "the icon did not dock"
  read -r x y < <(desktop_centre "$icon")
  xdotool mousemove "$x" "$y" click 1
  menu=$(wait_for_window 151x256) || fail "the menu did not open"
  wait_for_origin "$menu" "$2" || true
  kill "$pid" "${desktop_pids[-2]}"  # QV and its tray (this runs in a subshell)
  wait "$pid" "${desktop_pids[-2]}" 2>/dev/null || true
}

# 200 twips (13 px) from the right and bottom edges of RIGHT: 2304-151-13, 1024-256-13.
on_primary=$(menu_with_tray_on 1 "2140 755")
[ "$on_primary" = "2140 755" ] || fail "tray on the primary monitor: menu at $on_primary"
on_other=$(menu_with_tray_on 0 "1116 755")  # LEFT: 1280-151-13, 1024-256-13
[ "$on_other" = "1116 755" ] || fail "tray on the other monitor: menu at $on_other"

# A D-Bus host tells no place for its icon, only the click: on each monitor in turn its
# panel's item is clicked there (Qt takes LEFT, the first, for its primary screen here).
"${host[@]}" serve &
desktop_pids+=($!)
"$qv" &
desktop_pids+=($!)
"${host[@]}" wait-item >/dev/null || fail "the icon never registered with the D-Bus host"
for click in "1800 1010 2140 755" "600 1010 1116 755"; do
  read -r cx cy left top <<<"$click"
  xdotool mousemove "$cx" "$cy"
  "${host[@]}" activate
  menu=$(wait_for_window 151x256) || fail "Activate did not open the menu"
  at=$(wait_for_origin "$menu" "$left $top") || fail "clicked at $cx,$cy: the menu is at $at"
  xdotool key Escape
  hidden "$menu" || fail "the menu did not hide"
done
echo "e2e monitors: passed"
