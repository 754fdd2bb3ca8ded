#!/usr/bin/env bash
# Checks the per-user installer in dist/ under Wine, as a user without
# administrator rights would use it: a silent install into the user's own
# programs folder with a Start-menu shortcut, a first run of the installed
# kasamat-batch that makes user.dat beside it, a silent uninstall that removes
# the program and leaves user.dat.
set -euo pipefail
cd "$(dirname "$0")/../.."
export WINEPREFIX=${KASAMAT_WINDOWS_CACHE:-$HOME/.cache/kasamat-windows}/wine WINEDEBUG=-all
export WINEDLLOVERRIDES=winemenubuilder.exe=d
installer=$(ls dist/Kasamat-*-win64.exe)
user=$(wine cmd /c 'echo %USERNAME%' 2>/dev/null | tr -d '\r')
folder=$WINEPREFIX/drive_c/users/$user/AppData/Local/Programs/Kasamat
shortcut="$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Kasamat.lnk"
fail() { echo "installer check: $*" >&2; exit 1; }

rm -rf "$folder" "$shortcut"
wine "$installer" /S
wineserver -w
for file in kasamat.exe kasamat-batch.exe default.dat release.nfo platforms/qwindows.dll translations/qtbase_sk.qm; do
  [ -f "$folder/$file" ] || fail "$file not installed"
done
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
(cd "$folder" && wine kasamat-batch.exe >/dev/null) || test $? -eq 1
[ -f "$folder/user.dat" ] || fail "the installed program made no user.dat beside it"

wine "$folder/Uninstall.exe" /S
wineserver -w
sleep 2
[ -f "$folder/user.dat" ] || fail "the uninstaller removed user.dat"
[ ! -e "$folder/kasamat.exe" ] || fail "the uninstaller left kasamat.exe"
[ ! -e "$shortcut" ] || fail "the uninstaller left the shortcut"
rm -rf "$folder"
echo "installer check passed: $installer"
