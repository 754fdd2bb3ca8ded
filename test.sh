#!/usr/bin/env bash
# Sets up, builds and runs every test.
#   ./test.sh             the normal build, in build/
#   ./test.sh --sanitize  the whole suite built with AddressSanitizer and
#                         UndefinedBehaviorSanitizer, in build-sanitize/
#   ./test.sh --windows   the Windows build, in build-windows/, its packages
#                         in dist/, the suite and the installer under Wine
set -euo pipefail
cd "$(dirname "$0")"
if [ "${1:-}" = "--windows" ]; then
  scripts/build-windows.sh
  export WINEPREFIX=${KASAMAT_WINDOWS_CACHE:-$HOME/.cache/kasamat-windows}/wine WINEDEBUG=-all
  # One Wine server and Wine's own services for the whole suite, started
  # before it: a test that started them would wait for them to end.
  wineserver -p60
  status=0
  xvfb-run -a sh -c 'build-windows/wine.sh cmd /c exit >/dev/null 2>&1
    exec ctest --test-dir build-windows --output-on-failure -j "$(nproc)" --timeout 600' || status=$?
  scripts/windows/installer-check.sh || status=$?
  wineserver -k || true
  exit $status
fi
scripts/setup.sh
dir=build
options=()
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-sanitize
  options=(-DKASAMAT_SANITIZE=ON -DKASAMAT_BENCH=OFF)
fi
scripts/build.sh "$dir" "${options[@]}"
# A screen for the tests that start the window program as a user would.
xvfb-run -a ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" --timeout 300
