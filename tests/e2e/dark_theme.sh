#!/usr/bin/env bash
# QV on a desktop with a dark palette (qt6ct's "darker" scheme, Fusion style): the menu's
# entries and the settings window's captions and buttons are drawn dark on QV's light
# backgrounds, as on a light desktop, not in the desktop's light text colour.
set -euo pipefail
qv=$1 seed=$2
source "$(dirname "$0")/common.sh"
dark_desktop
"$seed" set show no

dark_pixels() {  # window-id x y width height (inside the window): how many are dark
  local left top
  read -r left top < <(window_origin "$1")
  import -window root -crop "$4x$5+$((left + $2))+$((top + $3))" -colorspace gray \
    -depth 8 txt:- | awk -F'[(,)]' 'NR > 1 && $3 + 0 < 100 { n++ } END { print n + 0 }'
}
expect_text() {  # what window-id x y width height
  local dark
  dark=$(dark_pixels "${@:2}")
  ((dark > 20)) || fail "$1 is not drawn dark on light ($dark dark pixels)"
}

start_qv
open_menu
wait_for_origin "$menu" "860 499" >/dev/null || fail "the menu is not in its corner"
expect_text '"Defrag"' "$menu" 40 $((1800 / 15)) 100 15
choose_settings
settings=$(wait_for_window 420x299) || fail "no settings window"
expect_text '"Ok"' "$settings" 310 8 50 16
expect_text 'the caption "Programs (1-7)"' "$settings" 32 96 75 12
expect_text 'the slot numbers' "$settings" 36 128 14 160
echo "e2e dark theme: passed"
