#!/usr/bin/env bash
# The Windows installer and zip as users meet them, under wine: installed for everyone
# (Program Files, HKLM) and for the user alone (%LOCALAPPDATA%\Programs, HKCU, no
# administrator asked for), silently; upgraded over a running QV, which is ended first and
# started again from the new file; upgraded where it was installed, not in a second copy;
# uninstalled while QV runs, which ends it and leaves nothing; and an uninstall that cannot
# end QV fails with nothing removed. The zip holds qv.exe and a readme.
# Usage: tests/package/windows.sh SETUP.exe ZIP   (./package makes them)
set -euo pipefail
setup=$(realpath "$1") zip=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -f "$setup" ] && [ -f "$zip" ] || fail "run ./package first"
# Listed once: with pipefail, grep -q ending early would fail unzip's write at random.
listing=$(unzip -l "$zip")
grep -q "/qv.exe$" <<<"$listing" || fail "no qv.exe in the zip"
grep -q "/README.txt$" <<<"$listing" || fail "no readme in the zip"
grep -qa 'level="highestAvailable"' "$setup" || fail "the installer asks for administrator"

export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$root/build/windows/wineprefix}
source "$root/tools/desktop.sh"
desktop_start 1024x768 || fail "no virtual desktop"
scratch=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; desktop_stop; rm -rf "$scratch"' EXIT
"$root/tools/wine-prefix"
wine reg add 'HKCU\Software\qv\qv' /v show /d no /f >/dev/null 2>&1
run_key='Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\QV'
drive=$WINEPREFIX/drive_c
machine_folder="$drive/Program Files/QV"
user_folder=$(find "$drive/users" -maxdepth 3 -path '*/AppData/Local' | head -n 1)/Programs/QV

# Nothing of an earlier install in this prefix.
rm -rf "$drive/Apps/QV" "$machine_folder" "$user_folder"
for hive in HKLM HKCU; do wine reg delete "$hive\\$uninstall_key" /f >/dev/null 2>&1 || true; done

# A newer build: the same program with other bytes, in an installer of a later version.
cp "$root/build/windows/qv.exe" "$scratch/qv.exe" && printf 'newer' >>"$scratch/qv.exe"
makensis -V1 -DVERSION=1.0.1 -DEXE="$scratch/qv.exe" -DOUTFILE="$scratch/newer-setup.exe" \
  "$root/packaging/qv.nsi"
# A QV that will not end.
x86_64-w64-mingw32-g++ -O1 -s -static -mwindows -o "$scratch/stubborn.exe" \
  "$root/tests/tools/stubborn_tray_win32.cpp"

running() { pgrep -f 'QV.qv\.exe' || true; }
docked() { [ -n "$(desktop_wine_icon)" ]; }
start_installed() {  # windows path
  wine "$1" &
  desktop_wait 150 docked || fail "the installed program's icon did not dock"
}
registered() {  # HKLM|HKCU value
  wine reg query "$1\\$uninstall_key" /v "$2" 2>/dev/null | tr -d '\r' | awk -v v="$2" '$1 == v {print $3}'
}
uninstall() {  # windows folder, mode
  wine "$1\\uninstall.exe" /S "/$2"
}
gone() {  # folder
  desktop_wait 100 bash -c "[ ! -e '$1' ]" || fail "$1 is left"
}

# For everyone, into another folder; a later upgrade goes there too.
wine "$setup" /S /AllUsers '/D=C:\Apps\QV' || fail "the install for everyone failed"
[ -f "$drive/Apps/QV/qv.exe" ] || fail "qv.exe was not installed in C:\\Apps\\QV"
[ -f "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/QV.lnk" ] || fail "no shortcut"
[ "$(registered HKLM DisplayVersion)" = 1.0.0 ] || fail "not in Add/Remove Programs"
start_installed 'C:\Apps\QV\qv.exe'
wine 'C:\Apps\QV\qv.exe' 2>/dev/null || true  # a second copy ends at once
before=$(running)
wine "$scratch/newer-setup.exe" /S /AllUsers || fail "the upgrade over a running QV failed"
[ ! -e "$machine_folder" ] || fail "the upgrade made a second copy in Program Files"
cmp -s "$scratch/qv.exe" "$drive/Apps/QV/qv.exe" || fail "the upgrade kept the old qv.exe"
[ "$(registered HKLM DisplayVersion)" = 1.0.1 ] || fail "the upgrade did not register 1.0.1"
desktop_wait 150 docked || fail "the upgraded QV was not started again"
after=$(running)
[ -n "$after" ] && [ "$after" != "$before" ] || fail "the old QV still runs ($before, $after)"
echo "upgrade: the running QV was ended, replaced in C:\\Apps\\QV and started again"

# Uninstalled while it runs: QV ends, and nothing of it stays.
for hive in HKLM HKCU; do  # as QV writes them on the two kinds of account
  wine reg add "$hive\\$run_key" /v qv /d '"C:\Apps\QV\qv.exe"' /f >/dev/null 2>&1
done
uninstall 'C:\Apps\QV' AllUsers || fail "the uninstall failed"
desktop_wait 100 bash -c '[ -z "$(pgrep -f "QV.qv\.exe")" ]' || fail "QV still runs"
gone "$drive/Apps/QV"
[ ! -e "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/QV.lnk" ] || fail "shortcut left"
for hive in HKLM HKCU; do
  ! wine reg query "$hive\\$run_key" /v qv >/dev/null 2>&1 || fail "$hive Run value left"
done
[ -z "$(registered HKLM DisplayVersion)" ] || fail "the Add/Remove entry is left"
echo "uninstall while running: QV ended, files, shortcut, entry and Run values gone"

# For the user alone: under the user's profile, registered for the user, no administrator.
wine "$setup" /S /CurrentUser || fail "the install for the user failed"
[ -f "$user_folder/qv.exe" ] || fail "qv.exe is not under the user's programs folder"
[ "$(registered HKCU DisplayVersion)" = 1.0.0 ] || fail "not in the user's Add/Remove Programs"
[ -z "$(registered HKLM DisplayVersion)" ] || fail "a per-user install wrote to HKLM"
[ ! -e "$machine_folder" ] || fail "a per-user install wrote to Program Files"
shortcut=$(find "$drive/users" -path '*Start Menu/Programs/QV.lnk' | head -n 1)
[ -n "$shortcut" ] || fail "no shortcut in the user's Start menu"

# An uninstall that cannot end QV removes nothing and says so with its exit code (run in
# place with _?=, as unattended tools do, so the exit code is the uninstaller's own).
user_windows_folder=$(wine winepath -w "$user_folder" 2>/dev/null | tr -d '\r')
rm -f "$drive/qv-stubborn-ready"
wine "$scratch/stubborn.exe" &
stubborn=$!
desktop_wait 100 bash -c "[ -e '$drive/qv-stubborn-ready' ]" || fail "the stand-in did not start"
status=0
wine "$user_windows_folder\\uninstall.exe" /S /CurrentUser "_?=$user_windows_folder" || status=$?
[ "$status" = 2 ] || fail "an uninstall that could not end QV exited with $status"
[ -f "$user_folder/qv.exe" ] && [ -n "$(registered HKCU DisplayVersion)" ] ||
  fail "an uninstall that could not end QV removed some of it"
kill $stubborn 2>/dev/null || true
wait $stubborn 2>/dev/null || true
uninstall "$user_windows_folder" CurrentUser || fail "the per-user uninstall failed"
gone "$user_folder"
[ -z "$(registered HKCU DisplayVersion)" ] || fail "the user's Add/Remove entry is left"
echo "package.windows: for everyone and for the user, upgraded and removed while running"
