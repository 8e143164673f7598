# The end-to-end driver: a virtual desktop, a private configuration and runtime folder,
# and the steps the scenarios share (start QV, open its menu or settings, click in a
# window, wait for an end). Source it with the program's path in $qv. QV_BUS=private
# runs the script again inside a session bus of its own; with QV_OWN_DESKTOP=1 the
# script starts its own X server (see own_desktop).

if [ -n "${QV_BUS:-}" ] && [ -z "${QV_PRIVATE_BUS:-}" ]; then
  QV_PRIVATE_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../../tools/desktop.sh"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

scratch=$(mktemp -d)
cleanup() { desktop_stop; rm -rf "$scratch"; }
trap cleanup EXIT
# An X server without a tray; the desktop helper sets its own trap, put back here.
own_desktop() {
  desktop_server 1024x768 || fail "no X server"
  trap cleanup EXIT
}
if [ -z "${QV_OWN_DESKTOP:-}" ]; then
  desktop_start 1024x768 || fail "no virtual desktop"
  trap cleanup EXIT
fi
export XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# A program that leaves a marker file when it runs.
make_marker_program() {  # path marker
  mkdir -p "$(dirname "$1")"
  printf '#!/bin/sh\ntouch "%s"\n' "$2" >"$1"
  chmod +x "$1"
}

start_qv() {  # sets qv_pid and icon
  "$qv" &
  qv_pid=$!
  desktop_pids+=("$qv_pid")
  icon=$(desktop_wait_tray_icon qv) || fail "the tray icon did not appear"
}
ended() {  # pid: waits up to five seconds for it to end
  desktop_wait 50 eval "! kill -0 $1 2>/dev/null"
}
hidden() {  # window-id: waits up to four seconds for it to leave the screen
  desktop_wait 40 eval "! is_viewable $1"
}

click_tray_icon() {
  local x y
  read -r x y < <(desktop_centre "$icon")
  xdotool mousemove "$x" "$y" click 1
}
click_at() {  # window-id x y (inside the window)
  local left top
  read -r left top < <(window_origin "$1")
  xdotool mousemove $((left + $2)) $((top + $3)) click 1
}
open_menu() {  # sets menu
  click_tray_icon
  menu=$(wait_for_window 151x256) || fail "the menu did not appear"
}
choose_settings() {  # in the shown menu: "Settings", its row's top in twips, then 8 pixels
  click_at "$menu" 100 $((3120 / 15 + 8))
}
open_settings() {  # sets menu and settings: through the menu's "Settings"
  open_menu
  choose_settings
  settings=$(wait_for_window 420x299) || fail "the settings window did not open"
}

# A desktop with a dark palette, for the programs started after: qt6ct's "darker" scheme
# with the Fusion style.
dark_desktop() {
  mkdir -p "$XDG_CONFIG_HOME/qt6ct"
  printf '[Appearance]\ncolor_scheme_path=%s\ncustom_palette=true\nstyle=Fusion\n' \
    /usr/share/qt6ct/colors/darker.conf >"$XDG_CONFIG_HOME/qt6ct/qt6ct.conf"
  export QT_QPA_PLATFORMTHEME=qt6ct
}

# Top-level windows as "id WIDTHxHEIGHT".
windows_and_sizes() {
  xwininfo -root -children |
    awk 'match($0, / [0-9]+x[0-9]+\+/) { print $1, substr($0, RSTART + 1, RLENGTH - 2) }'
}
no_menu_open() {  # no QV menu is shown, on whichever window Qt made for it
  local id size
  while read -r id size; do
    [ "$size" = 151x256 ] && is_viewable "$id" && return 1
  done < <(windows_and_sizes)
  return 0
}
