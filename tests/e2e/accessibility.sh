#!/usr/bin/env bash
# QV through a screen reader's eyes: on a private session bus with the accessibility bus,
# every window, and every control that can be clicked or focused, has a name and a real
# role; the welcome text can be read; the menu's "Hide Menu" pressed through its
# accessible action hides the menu, and "Settings" opens the settings window.
set -euo pipefail
qv=$1 seed=$2
QV_BUS=private source "$(dirname "$0")/common.sh"
/usr/libexec/at-spi-bus-launcher --launch-immediately &
desktop_pids+=($!)
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=1
reader=(/usr/bin/python3 "$here/accessibility.py")  # Debian's, which has pyatspi

"$seed" set show yes
start_qv
"${reader[@]}" check "Welcome to QV" || fail "the welcome window"
"${reader[@]}" press "Welcome to QV" "Close" || fail "could not press Close"

open_menu
"${reader[@]}" check "QV menu" || fail "the menu"
"${reader[@]}" press "QV menu" "Hide Menu" || fail "could not press Hide Menu"
hidden "$menu" || fail "Hide Menu pressed by a screen reader left the menu up"

# At once, so within the double-click time of the last click on the icon: it still opens.
open_menu
"${reader[@]}" press "QV menu" "Settings" || fail "could not press Settings"
wait_for_window 420x299 >/dev/null || fail "the settings window did not open"
"${reader[@]}" check "QV Settings" || fail "the settings window"
echo "e2e accessibility: passed"
