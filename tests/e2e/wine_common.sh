# Shared by the Windows end-to-end scripts, which run inside ./test's Windows step: its
# wine prefix, its virtual desktop, and the desktop helpers. Source it.
export WINEDEBUG=-all
: "${WINEPREFIX:?run with the wine prefix of ./test}"
: "${DISPLAY:?run on the virtual desktop of ./test, where the wine processes live}"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../../tools/desktop.sh"
fail() { echo "FAIL: $*" >&2; [ -n "${QV_FAIL_SHOT:-}" ] && import -window root "$QV_FAIL_SHOT"; exit 1; }
