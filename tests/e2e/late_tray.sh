#!/usr/bin/env bash
# QV started before any notification area, as at a logon where the panel comes late.
# Without a tray QV says so after some seconds, on standard error and in a notice; an
# XEmbed tray that starts later gets the icon at once, and the notice goes. (D-Bus hosts
# started after QV: e2e.panels, with the real panels.) On a bus of its own, so that no
# D-Bus tray of the machine's answers.
set -euo pipefail
qv=$1 seed=$2
QV_BUS=private QV_OWN_DESKTOP=1 source "$(dirname "$0")/common.sh"
"$seed" set show no

notice_up() { [[ $(xwininfo -root -children) == *'"QV": ('* ]]; }

own_desktop
"$qv" 2>"$scratch/stderr" &
desktop_pids+=($!)
desktop_wait 200 bash -c "grep -q 'no notification area' '$scratch/stderr'" ||
  { cat "$scratch/stderr" >&2; fail "nothing was said about the missing notification area"; }
desktop_wait 40 notice_up || fail "no notice window"
[ "$(grep -c 'no notification area' "$scratch/stderr")" = 1 ] || fail "said more than once"
desktop_tray || fail "the tray did not start"
desktop_wait_tray_icon qv >/dev/null || fail "the icon did not dock in the late tray"
desktop_wait 40 eval '! notice_up' || fail "the notice stayed after the tray came"
echo "e2e late tray: passed"
