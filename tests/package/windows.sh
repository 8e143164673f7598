#!/usr/bin/env bash
# The Windows installer and zip as a user meets them, under wine: a silent install puts
# qv.exe in Program Files with a Start-menu shortcut and an Add/Remove Programs entry;
# the installed program docks its icon; a silent uninstall removes the files, the
# shortcut, the entry and QV's start-at-logon values. The zip holds qv.exe and a readme.
# Usage: tests/package/windows.sh SETUP.exe ZIP   (./package makes them)
set -euo pipefail
setup=$(realpath "$1") zip=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -f "$setup" ] && [ -f "$zip" ] || fail "run ./package first"
# Listed once: with pipefail, grep -q ending early would fail unzip's write at random.
listing=$(unzip -l "$zip")
grep -q "/qv.exe$" <<<"$listing" || fail "no qv.exe in the zip"
grep -q "/README.txt$" <<<"$listing" || fail "no readme in the zip"

export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$here/../../build/windows/wineprefix}
source "$here/../../tools/desktop.sh"
desktop_start 1024x768 || fail "no virtual desktop"
trap 'wineserver -k 2>/dev/null || true; desktop_stop' EXIT
"$here/../../tools/wine-prefix"
run_key='Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\QV'
folder="$WINEPREFIX/drive_c/Program Files/QV"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/QV.lnk"

wine "$setup" /S
[ -f "$folder/qv.exe" ] || fail "qv.exe was not installed"
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
wine reg query "$uninstall_key" /v QuietUninstallString >/dev/null 2>&1 ||
  fail "not in Add/Remove Programs"

wine reg add 'HKCU\Software\qv\qv' /v show /d no /f >/dev/null 2>&1
docked() { [ -n "$(desktop_wine_icon)" ]; }
! docked || fail "an icon was docked before QV started"
wine 'C:\Program Files\QV\qv.exe' &
desktop_wait 150 docked || fail "the installed program's icon did not dock"
wine 'C:\Program Files\QV\qv.exe' 2>/dev/null || true  # a second copy ends at once
pkill -f 'QV.qv\.exe' || true
desktop_wait 50 bash -c '! pgrep -f "QV.qv\.exe" >/dev/null' || fail "QV did not end"

for root in HKLM HKCU; do  # as QV writes them on the two kinds of account
  wine reg add "$root\\$run_key" /v qv /d 'C:\Program Files\QV\qv.exe' /f >/dev/null 2>&1
done
wine 'C:\Program Files\QV\uninstall.exe' /S
desktop_wait 300 bash -c "[ ! -e '$folder' ]" || fail "the program folder is left"
[ ! -e "$shortcut" ] || fail "the shortcut is left"
for root in HKLM HKCU; do
  ! wine reg query "$root\\$run_key" /v qv >/dev/null 2>&1 || fail "$root Run value left"
done
! wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "the Add/Remove entry is left"
echo "package.windows: installed silently, docked, uninstalled without a trace"
