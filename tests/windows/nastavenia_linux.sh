#!/bin/sh
# One user.dat on both systems: the Windows kasamat-batch makes user.dat from
# the template, the Linux sqlcipher reads it and renames its task, and the
# Windows program reads that back in its validation summary.
#   nastavenia_linux.sh WINE_RUNNER PROGRAM_FOLDER SQLCIPHER KEY
set -eu
wine=$1 program=$2 sqlcipher=$3 key=$4
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp "$program/kasamat-batch.exe" "$program/default.dat" "$program/release.nfo" "$program/TeamViewerQS_sk.exe" "$folder/"
cd "$folder"

"$wine" kasamat-batch.exe >/dev/null || test $? -eq 1
version=$(printf "PRAGMA key='%s';\nSELECT Cislo FROM Verzia;\n" "$key" | "$sqlcipher" user.dat | tail -n1)
[ "$version" = "2.5.0.0" ] || { echo "Linux reads version '$version' from the Windows user.dat"; exit 1; }

printf "PRAGMA key='%s';\nUPDATE Ulohy SET Nazov='z Linuxu' WHERE ID=0;\n" "$key" | "$sqlcipher" user.dat >/dev/null
summary=$("$wine" kasamat-batch.exe || true)
case $summary in
  *"1. z Linuxu"*) ;;
  *) echo "Windows does not read the task Linux wrote:"; echo "$summary"; exit 1 ;;
esac
