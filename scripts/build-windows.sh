#!/usr/bin/env bash
# Cross-builds Kasamat for 64-bit Windows into build-windows/ and packs the
# program folder into dist/: the zip and the per-user installer.
#   scripts/build-windows.sh [cmake options...]
# The third-party parts are built once into ~/.cache/kasamat-windows/ (or
# $KASAMAT_WINDOWS_CACHE), where the Wine prefix of the tests lives too:
# Qt and the rest by deps.sh, pugixml by pugixml.sh into a prefix of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS

scripts/setup.sh
prefix=$(scripts/windows/deps.sh | tail -n1)
pugixml_prefix=$(scripts/windows/pugixml.sh | tail -n1)
cache=${KASAMAT_WINDOWS_CACHE:-$HOME/.cache/kasamat-windows}
export WINEPREFIX=$cache/wine WINEDEBUG=-all
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Making the Wine prefix $WINEPREFIX"
  # Without 32-bit Wine, wineboot names a missing syswow64 program: harmless.
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi

cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DKASAMAT_WINDOWS_PREFIX="$prefix" -DKASAMAT_WINDOWS_PUGIXML_PREFIX="$pugixml_prefix" \
  -DKASAMAT_WINEPREFIX="$WINEPREFIX" -DKASAMAT_BENCH=OFF "$@" >/dev/null
cmake --build build-windows -j "$(nproc)"
# Only this version's packages: an older version's left behind would be
# installed and checked in its place.
rm -f build-windows/packages/Kasamat-*-win64.* dist/Kasamat-*-win64.*
(cd build-windows && cpack -B "$PWD/packages" >/dev/null)
mkdir -p dist
cp build-windows/packages/Kasamat-*-win64.zip build-windows/packages/Kasamat-*-win64.exe dist/
echo "Windows build and packages in dist/ ready in $((SECONDS - started)) s"
