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
