#!/usr/bin/env bash
# Builds pugixml, the XML reader of the camt.053 conversion, once for Windows:
# a static library from Debian's source package, cross-compiled with
# MinGW-w64 through cmake/mingw-w64.cmake, into a small prefix of its own.
#
#   pugixml_prefix=$(scripts/windows/pugixml.sh | tail -n1)
#
# Kept apart from the prefix of scripts/windows/deps.sh so that adding it, or
# a new Debian version of it, never rebuilds Qt. Same conventions: the last
# line of stdout is the prefix, progress goes to stderr, the prefix is named
# after the Debian version and the recipe revision, it counts only once its
# completion stamp is written, one build at a time, logs in the scratch folder.
# Expects the toolchain that deps.sh installs.
set -euo pipefail

# Bump whenever the way pugixml is built changes.
recipe=1

started=$SECONDS
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
toolchain=$repo/cmake/mingw-w64.cmake

log() { echo "pugixml: $*" >&2; }
trap 'log "failed at line $LINENO"' ERR
# shellcheck source=prefix.sh
. "$here/prefix.sh"

# The version apt would install on Linux, so both systems read XML alike.
version=$(candidate_source_version libpugixml-dev)
[ -n "$version" ] || { log "cannot tell pugixml's Debian version"; exit 1; }
key=$(printf 'pugixml%s_r%s' "$version" "$recipe" | tr -c 'A-Za-z0-9.+_-' '_')

open_prefix "$key"

fetch_source() {
  cd "$scratch/src"
  source_apt source --download-only "pugixml=$version"
  dpkg-source -x pugixml_*.dsc pugixml
}

# Static, so nothing ships beside the program for it; the default options,
# the same as Debian's Linux library (no compact mode, XPath compiled in).
build_pugixml() {
  cmake -G Ninja -S "$scratch/src/pugixml" -B "$scratch/build" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DKASAMAT_WINDOWS_PREFIX="$prefix" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=OFF -DPUGIXML_BUILD_TESTS=OFF
  ninja -C "$scratch/build"
  cmake --install "$scratch/build"
}

step source fetch_source
step build build_pugixml

close_prefix
