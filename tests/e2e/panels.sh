#!/usr/bin/env bash
# QV on the panels Debian ships that host its icon as a StatusNotifierItem and draw the
# item's menu themselves: xfce4-panel's status tray and lxqt-panel, under xfwm4, which
# keeps windows off its panels. Each panel is started after QV and restarted while QV
# runs; each time a left click opens QV's own menu in the corner over the panel, every
# time, and a right click shows the panel's drawing of QV's entries, whose first one
# (slot 1, a program that leaves a marker) starts. Nothing opens unasked.
set -euo pipefail
qv=$1 seed=$2
QV_BUS=private QV_OWN_DESKTOP=1 source "$(dirname "$0")/common.sh"
own_desktop
"$seed" set show no
make_marker_program "$scratch/bin/mark" "$scratch/marked"
"$seed" slot 1 Mark "$scratch/bin/mark"
mkdir -p "$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml" "$XDG_CONFIG_HOME/lxqt"
cp "$here/panels/xfce4-panel.xml" "$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml/"
cp "$here/panels/lxqt-panel.conf" "$XDG_CONFIG_HOME/lxqt/panel.conf"
# xfconfd, which holds xfce4-panel's settings, is started by the bus: give it ours.
dbus-update-activation-environment XDG_CONFIG_HOME XDG_RUNTIME_DIR DISPLAY
xfwm4 >/dev/null 2>&1 &
desktop_pids+=($!)
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
desktop_wait 100 wm_running || fail "xfwm4 did not start"

"$qv" 2>"$scratch/stderr" &
desktop_pids+=($!)

start_panel() {  # command...
  "$@" >>"$scratch/panel.log" 2>&1 &
  panel_pid=$!
  desktop_pids+=("$panel_pid")
}
# Both panels lie along the bottom edge, QV's item their first square.
panel_bar() {
  local id size
  while read -r id size; do
    [[ $size == 1024x2? ]] && [ "$(window_origin "$id")" = "0 $((768 - ${size#*x}))" ] &&
      is_viewable "$id" && { echo "$id"; return 0; }
  done < <(windows_and_sizes)
  return 1
}
item_drawn() {  # the item's pixel differs from the panel's far end
  local bar
  bar=$(panel_bar) && [ -n "$bar" ] || return 1
  read -r bar_left bar_top < <(window_origin "$bar")
  bar_height=$(xwininfo -id "$bar" | awk '/Height:/ { print $2 }')
  item_x=$((bar_left + bar_height / 2 - 1)) item_y=$((bar_top + bar_height / 2))
  [ "$(desktop_pixel "$item_x" "$item_y")" != "$(desktop_pixel 1000 "$item_y")" ]
}
host_menu_shown() {  # a popup the panel drew: a shown window larger than an entry
  local id size
  while read -r id size; do
    [ "$size" != 151x256 ] && ((${size%x*} > 50 && ${size#*x} > 100)) && is_viewable "$id" &&
      return 0
  done < <(windows_and_sizes)
  return 1
}

both_buttons() {  # panel name
  desktop_wait 200 item_drawn || { cat "$scratch/panel.log" >&2; fail "$1: QV's item was not drawn"; }
  no_menu_open || fail "$1: QV's menu opened unasked"
  for click in first second; do
    xdotool mousemove "$item_x" "$item_y" click 1
    menu=$(wait_for_window 151x256) || fail "$1: a left click did not open QV's menu"
    at=$(wait_for_origin "$menu" "860 499") || fail "$1: the $click menu is at $at, not 860 499"
    xdotool key Escape
    desktop_wait 40 no_menu_open || fail "$1: Escape did not hide the menu"
  done
  rm -f "$scratch/marked"
  xdotool mousemove "$item_x" "$item_y" click 3
  desktop_wait 50 host_menu_shown || fail "$1: a right click showed no menu"
  xdotool key Down Return  # the first entry: slot 1
  desktop_wait 50 test -e "$scratch/marked" || fail "$1: slot 1 did not start from its menu"
  echo "$1: both buttons reach QV's menu"
}

for panel in xfce4-panel lxqt-panel; do
  for round in "" ", restarted"; do
    start_panel "$panel"
    both_buttons "$panel$round"
    kill "$panel_pid" && wait "$panel_pid" 2>/dev/null || true
    desktop_wait 50 eval '[ -z "$(panel_bar)" ]' || fail "$panel did not end"
  done
done
echo "e2e panels: passed"
