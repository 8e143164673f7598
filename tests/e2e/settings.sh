#!/usr/bin/env bash
# The settings path for real: pick a slot's program in the file dialog, name it, save,
# and the menu starts it; a saved password is asked for next time; the welcome window's
# "Dont show this anymore!" keeps it away at the next start.
set -euo pipefail
qv=$1 seed=$2
source "$(dirname "$0")/common.sh"

replace_text() {  # window-id x y text
  click_at "$1" "$2" "$3"
  sleep 0.2
  xdotool key ctrl+a type --delay 5 "$4"
}
press_ok() {  # and the settings window closes
  click_at "$settings" 332 16
  hidden "$settings" || fail "Ok did not close the settings window"
}

make_marker_program "$scratch/tools/first app" "$scratch/slot1-ran"

# The welcome window shows at the first start; switch it off.
start_qv
welcome=$(wait_for_window 267x209) || fail "no welcome window at the first start"
click_at "$welcome" 210 166  # the tick box, right of "Dont show this anymore!"
click_at "$welcome" 148 192  # "Close"
desktop_wait 20 eval '[ "$("$seed" get show)" = no ]' || fail "show was not written as no"

# A slot: its program from the file dialog, its menu text typed.
open_settings
click_at "$settings" 276 136  # "Select" of slot 1
# Typed only once the dialog has the keyboard: keys sent before are lost.
dialog_has_keys() { [[ $(xdotool getwindowfocus getwindowname 2>/dev/null) == *"Select A Program"* ]]; }
desktop_wait 50 dialog_has_keys || fail "no file dialog with the keyboard"
xdotool type --delay 5 "$scratch/tools/first app"
# A Return may first go to the name's completion list, as it would for a user.
dialog_gone() { ! xwininfo -root -children | grep -q 'Select A Program'; }
for attempt in 1 2 3; do
  xdotool key Return
  desktop_wait 20 dialog_gone && break
done
dialog_gone || fail "the file dialog did not close"
sleep 0.2  # the settings window takes the keyboard back
replace_text "$settings" 360 137 "Mark"
press_ok
[ "$("$seed" get title1)" = "Mark" ] || fail "title1 is '$("$seed" get title1)'"
[ "$("$seed" get prog1)" = "$scratch/tools/first app" ] || fail "prog1 is '$("$seed" get prog1)'"
open_menu
click_at "$menu" 100 $((1440 / 15 + 8))  # slot 1, the seventh entry
desktop_wait 50 test -e "$scratch/slot1-ran" || fail "the new slot did not start its program"

# A password, asked for at the next "Settings".
open_settings
click_at "$settings" 46 80  # "Use Password To Protect Settings"
replace_text "$settings" 146 33 "secret1"
replace_text "$settings" 146 57 "secret1"
press_ok
[ "$("$seed" get passwd)" = "secret1|||secret1" ] || fail "the password was not saved"
sleep 0.3
open_menu
choose_settings
prompt=$(wait_for_window 260x90) || fail "no password prompt"
replace_text "$prompt" 150 32 "secret1"
click_at "$prompt" 84 64  # "Ok"
wait_for_window 420x299 >/dev/null || fail "the right password did not open the settings"

# The next start keeps the welcome window away.
kill "$qv_pid"
ended "$qv_pid" || fail "QV did not end on SIGTERM"
start_qv
open_menu  # QV has handled its start-up: a welcome window would stand by now
[ -z "$(window_of_size 267x209)" ] || fail "the welcome window came back"
echo "e2e settings: passed"
