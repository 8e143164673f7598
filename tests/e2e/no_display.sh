#!/usr/bin/env bash
# With nowhere to show a window (a Wayland session without Xwayland and without Qt's
# Wayland platform, an X display that cannot be reached, no session at all), QV says why
# on standard error and ends with status 1, never with Qt's core dump.
set -uo pipefail
exe=$1
runtime=$(mktemp -d) && chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
for setting in "WAYLAND_DISPLAY=wayland-none" "DISPLAY=:99999" ""; do
  said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$runtime" \
    $setting "$exe" 2>&1)
  status=$?
  [ "$status" = 1 ] || { echo "FAIL: with '$setting' the exit status is $status: $said"; exit 1; }
  grep -q "qv: cannot start: no X display" <<<"$said" ||
    { echo "FAIL: with '$setting' QV said: $said"; exit 1; }
done
echo "no display: QV said why and ended with status 1, three times"
