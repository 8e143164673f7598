# Shared by the Windows end-to-end scripts, which run inside ./test's Windows step: its
# wine prefix, its virtual desktop, and the desktop helpers. Source it.
export WINEDEBUG=-all
: "${WINEPREFIX:?run with the wine prefix of ./test}"
: "${DISPLAY:?run on the virtual desktop of ./test, where the wine processes live}"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../../tools/desktop.sh"
fail() { echo "FAIL: $*" >&2; [ -n "${QV_FAIL_SHOT:-}" ] && import -window root "$QV_FAIL_SHOT"; exit 1; }

# Ends the QV started as that process and waits until its icon has left the tray: wine
# takes the icon away a moment later, and a QV started meanwhile would find the old one.
end_wine_qv() {  # pid
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
  desktop_wait 200 no_wine_icon || fail "the icon stayed after QV ended"
}
no_wine_icon() { [ -z "$(desktop_wine_icon)" ]; }
qv_pid=
trap 'status=$?; [ -n "$qv_pid" ] && end_wine_qv $qv_pid; exit $status' EXIT

start_wine_qv() {  # exe: sets qv_pid, and x y, the icon's centre
  wine "$1" &
  qv_pid=$!
  icon=$(desktop_wait_wine_icon) || fail "the icon did not dock in the tray"
  read -r x y < <(desktop_centre "$icon")
}
# Wine now and then drops the first click after a window of its closes or appears, before
# it has taken the pointer over: a click whose effect does not come is given once more.
click_until() {  # x y check...
  local cx=$1 cy=$2 try
  shift 2
  for try in 1 2 3; do
    xdotool mousemove "$cx" "$cy" click 1
    "$@" && return 0
  done
  return 1
}
open_wine_menu() {  # [size]: sets menu, the shown menu of that size (151x256)
  local size=${1:-151x256}
  shown() { menu=$(wait_for_window "$size"); }
  click_until "$x" "$y" shown || fail "no menu of $size pixels"
}
