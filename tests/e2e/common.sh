# Shared by the end-to-end scripts: a virtual desktop, a private configuration and
# runtime folder, and small checks. Source it with the program's path in $qv.

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../../tools/desktop.sh"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

scratch=$(mktemp -d)
desktop_start 1024x768 || { rm -rf "$scratch"; fail "no virtual desktop"; }
trap 'desktop_stop; rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# A program that leaves a marker file when it runs.
make_marker_program() {  # path marker
  mkdir -p "$(dirname "$1")"
  printf '#!/bin/sh\ntouch "%s"\n' "$2" >"$1"
  chmod +x "$1"
}

start_qv() {
  "$qv" &
  qv_pid=$!
  desktop_pids+=("$qv_pid")
  icon=$(desktop_wait_tray_icon qv) || fail "the tray icon did not appear"
}

click_tray_icon() {
  local x y
  read -r x y < <(desktop_centre "$icon")
  xdotool mousemove "$x" "$y" click 1
}
