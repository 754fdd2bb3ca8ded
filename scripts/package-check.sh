#!/usr/bin/env bash
# Builds the Debian package into build-package/, checks it with lintian,
# installs it on this machine, starts the window from its menu entry's
# command on an Xvfb screen, converts a golden case with the installed
# kasamat-batch, and removes the package again: the user's data stays.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
sudo_cmd=""
[ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
scripts/setup.sh lintian dpkg-dev imagemagick

cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DKASAMAT_INSTALLED=ON -DKASAMAT_TESTS=OFF -DKASAMAT_BENCH=OFF >/dev/null
rm -f build-package/kasamat_*.deb
cmake --build build-package -j "$(nproc)" --target package
package=$(ls build-package/kasamat_*.deb)
echo "== lintian $package"
lintian --tag-display-limit 0 "$package" >build-package/lintian.txt || true
cat build-package/lintian.txt
if grep -q '^E:' build-package/lintian.txt; then echo "lintian reports errors"; exit 1; fi

echo "== install"
DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "./$package" >/dev/null
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
command=$(sed -n 's/^Exec=//p' /usr/share/applications/example.vzorsoft.Kasamat.desktop)

echo "== the window from the menu's command: $command"
HOME=$home xvfb-run -a sh -c "
  $command & pid=\$!
  xdotool search --sync --onlyvisible --name '^Kasamat' >/dev/null
  import -window root '$PWD/build-package/kasamat-installed.png'
  kill \$pid"
test -f "$home/.local/share/Kasamat/user.dat" || { echo "no user.dat in the user's data folder"; exit 1; }
echo "user.dat made in $home/.local/share/Kasamat; screenshot build-package/kasamat-installed.png"

echo "== kasamat-batch on the golden case fio-per-file"
golden=tests/data/golden/fio-per-file
work=$(mktemp -d)
mkdir "$work/in" "$work/out"
cp "$golden"/input/* "$work/in/"
HOME=$home LC_ALL=C.UTF-8 kasamat-batch --input "$work/in" --output "$work/out" $(cat "$golden/task") >"$work/log.txt"
diff "$work/log.txt" "$golden/expected/log.txt"
diff -r "$work/out" "$golden/expected/out"
diff -r "$work/in" "$golden/expected/in"
rm -rf "$work"

echo "== remove"
DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get remove -y -qq kasamat >/dev/null
test -f "$home/.local/share/Kasamat/user.dat" || { echo "removing the package took the user's data"; exit 1; }
test ! -e /usr/bin/kasamat || { echo "kasamat still installed"; exit 1; }
echo "package check passed"
