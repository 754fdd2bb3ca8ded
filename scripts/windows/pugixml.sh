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

# The version apt would install on Linux, so both systems read XML alike.
version=$(apt-cache show --no-all-versions libpugixml-dev | awk '
  /^Version: / { v = $2 }
  /^Source: / && $3 != "" { s = $3; gsub(/[()]/, "", s) }
  END { print (s != "" ? s : v) }')
[ -n "$version" ] || { log "cannot tell pugixml's Debian version"; exit 1; }
key=$(printf 'pugixml%s_r%s' "$version" "$recipe" | tr -c 'A-Za-z0-9.+_-' '_')

cache=${KASAMAT_WINDOWS_CACHE:-$HOME/.cache/kasamat-windows}
prefix=$cache/$key
scratch=$cache/$key.build
stamp=$prefix/.complete
mkdir -p "$cache"

finish() {
  log "prefix ready in $((SECONDS - started)) s"
  echo "$prefix"
  exit 0
}
[ -f "$stamp" ] && finish

exec 9>"$cache/$key.lock"
if ! flock -n 9; then
  log "another build of this prefix is running; waiting for it"
  flock 9
fi
[ -f "$stamp" ] && finish

log "building $prefix (logs in $scratch/logs)"
rm -rf "$prefix" "$scratch"
mkdir -p "$prefix" "$scratch/logs" "$scratch/src"

step() {
  local name=$1 began=$SECONDS rc
  shift
  log "$name ..."
  set +e
  (set -e; "$@") >"$scratch/logs/$name.log" 2>&1
  rc=$?
  set -e
  if ((rc != 0)); then
    log "$name failed (exit $rc); last lines of $scratch/logs/$name.log:"
    tail -n 40 "$scratch/logs/$name.log" >&2
    exit 1
  fi
  log "$name done in $((SECONDS - began)) s"
}

# Debian's source index goes into a private apt state, as in deps.sh: an
# update of the machine's own state with only a deb-src list would delete its
# binary lists.
fetch_source() {
  local apt=$scratch/apt
  mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial"
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$apt/src.sources"
  else
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$apt/src.list"
  fi
  local opts=(-o Dir::Etc::SourceParts="$apt" -o Dir::Etc::SourceList=/dev/null
              -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache"
              -o APT::Sandbox::User=root)
  apt-get "${opts[@]}" update
  cd "$scratch/src"
  apt-get "${opts[@]}" source --download-only "pugixml=$version"
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

printf 'key %s\nbuilt %s\n' "$key" "$(date -u +%FT%TZ)" >"$stamp"
rm -rf "$scratch"
log "prefix uses $(du -sh "$prefix" | cut -f1)"
finish
