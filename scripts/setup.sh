#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Kasamat need,
# or, given package names, those packages. Quiet and quick when everything is
# already there.
set -euo pipefail
packages=("$@")
((${#packages[@]})) || packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libsqlcipher-dev sqlcipher libpugixml-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-dev clang-format
  xvfb xauth xdotool time
  fonts-wine qt6-translations-l10n
)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}" >&2
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get -o DPkg::Lock::Timeout=600 update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
