#!/usr/bin/env bash
# Builds the third-party parts of the Windows build once into a cache:
# OpenSSL's libcrypto and SQLCipher (static), Qt's qtbase (shared) and
# GoogleTest (static), all from Debian's source packages, cross-compiled with
# MinGW-w64 through cmake/mingw-w64.cmake.
#
#   prefix=$(scripts/windows/deps.sh | tail -n1)
#
# The last line of stdout is the prefix; progress goes to stderr. The prefix is
# named after the Debian versions of the sources and the recipe revision below,
# so a new Debian version or a changed recipe builds a new prefix. A prefix
# counts only once its completion stamp is written; an interrupted build is
# thrown away and done again. Build logs stay in the scratch folder; a failing
# step prints only its last lines.
set -euo pipefail

# Bump whenever the way the parts are built changes.
recipe=3

started=$SECONDS
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
toolchain=$repo/cmake/mingw-w64.cmake
triple=x86_64-w64-mingw32
jobs=2

log() { echo "deps: $*" >&2; }
trap 'log "failed at line $LINENO"' ERR
# shellcheck source=prefix.sh
. "$here/prefix.sh"

# --- Debian packages -------------------------------------------------------
packages=(
  g++-mingw-w64-x86-64-posix wine64 wine nsis
  gcc libc6-dev make perl tcl libssl-dev     # the native steps of OpenSSL and SQLCipher
  qt6-base-dev qt6-base-dev-tools            # moc, rcc, uic and Qt's CMake host packages
  libgtest-dev libgmock-dev googletest       # /usr/src/googletest
  cmake ninja-build pkg-config dpkg-dev xz-utils patch util-linux
  fonts-dejavu-core fonts-wine               # fonts for the offscreen platform under Wine
)
"$repo/scripts/setup.sh" "${packages[@]}" >&2

# --- Which sources, which prefix -------------------------------------------
# Qt and GoogleTest are taken as installed: the Windows Qt has to match the
# host tools, and GoogleTest is built from the installed /usr/src/googletest.
# SQLCipher and OpenSSL are the versions apt would install now.
installed_source_version() { dpkg-query -W -f='${source:Version}' "$1"; }
qt_version=$(installed_source_version qt6-base-dev)
gtest_version=$(installed_source_version googletest)
sqlcipher_version=$(candidate_source_version libsqlcipher-dev)
openssl_version=$(candidate_source_version libssl-dev)
for v in qt_version gtest_version sqlcipher_version openssl_version; do
  [ -n "${!v}" ] || { log "cannot tell ${v%_version}'s Debian version"; exit 1; }
done
key="qt${qt_version}_sqlcipher${sqlcipher_version}_openssl${openssl_version}_gtest${gtest_version}_r${recipe}"
key=$(printf '%s' "$key" | tr -c 'A-Za-z0-9.+_-' '_')

log "cache: $cache"
open_prefix "deps-$key"
src=$scratch/src

# --- Sources ---------------------------------------------------------------
fetch_sources() {
  cd "$src"
  source_apt source --download-only "qt6-base=$qt_version" "sqlcipher=$sqlcipher_version"
  dpkg-source -x qt6-base_*.dsc qt6-base
  dpkg-source -x sqlcipher_*.dsc sqlcipher
  # The security mirror may lack openssl's .dsc and Debian part; the upstream
  # tarball is all this build needs (Debian's changes concern Linux paths).
  source_apt source --download-only "openssl=$openssl_version" || true
  local upstream=${openssl_version#*:}
  upstream=${upstream%-*}
  local tarball
  tarball=$(ls openssl_"$upstream".orig.tar.* | grep -v '\.asc$' | head -n1)
  [ -n "$tarball" ] || { echo "no openssl_$upstream.orig tarball"; exit 1; }
  mkdir openssl
  tar -xf "$tarball" -C openssl --strip-components=1
}

# --- OpenSSL: libcrypto for SQLCipher --------------------------------------
build_openssl() {
  cd "$src/openssl"
  ./Configure mingw64 --cross-compile-prefix=$triple- CC=gcc-posix CXX=g++-posix \
    --prefix="$prefix" --libdir=lib no-shared no-tests no-module no-legacy
  make -j$jobs build_libs
  make install_dev
}

# --- SQLCipher -------------------------------------------------------------
# The defines of Debian's build (debian/rules), so that databases behave as
# with the Linux package.
sqlcipher_defines=(
  -DSQLITE_SECURE_DELETE -DSQLITE_ENABLE_COLUMN_METADATA
  -DSQLITE_ENABLE_FTS3 -DSQLITE_ENABLE_RTREE=1 -DSQLITE_SOUNDEX=1
  -DSQLITE_ENABLE_UNLOCK_NOTIFY -DSQLITE_OMIT_LOOKASIDE=1
  -DSQLITE_ENABLE_UPDATE_DELETE_LIMIT=1 -DSQLITE_MAX_SCHEMA_RETRY=25
  -DSQLITE_HAS_CODEC -DHAVE_USLEEP=1
)
build_sqlcipher() {
  cd "$src/sqlcipher"
  # The amalgamation is generated on the host; the parser generator reads the
  # feature defines, so they are the same here as in the cross compile.
  CFLAGS="-O2 ${sqlcipher_defines[*]}" LDFLAGS=-lcrypto \
    ./configure --enable-threadsafe --enable-tempstore=yes --disable-tcl
  make sqlite3.c
  $triple-gcc-posix -O2 -fno-strict-aliasing "${sqlcipher_defines[@]}" \
    -DSQLITE_THREADSAFE=1 -DSQLITE_TEMP_STORE=2 -DSQLCIPHER_CRYPTO_OPENSSL \
    -I"$prefix/include" -c sqlite3.c -o sqlite3.o
  rm -f "$prefix/lib/libsqlcipher.a"
  $triple-ar rcs "$prefix/lib/libsqlcipher.a" sqlite3.o
  install -d "$prefix/include/sqlcipher" "$prefix/lib/pkgconfig"
  install -m 644 sqlite3.h sqlite3ext.h "$prefix/include/sqlcipher/"
  local version=${sqlcipher_version#*:}
  version=${version%-*}
  # Static library: its dependencies (libcrypto and the Windows libraries
  # libcrypto calls) go straight into Libs.
  cat >"$prefix/lib/pkgconfig/sqlcipher.pc" <<EOF
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: SQLCipher
Description: SQL database engine with encryption (static, Windows)
Version: $version
Libs: -L\${libdir} -lsqlcipher -lcrypto -lws2_32 -lcrypt32 -luser32 -ladvapi32
Cflags: -I\${includedir} -I\${includedir}/sqlcipher
EOF
}

# --- Qt --------------------------------------------------------------------
build_qt() {
  # Only what the program uses: Core, Gui, Widgets, Test, the windows and
  # offscreen platforms and the windowsvista style. Bundled third-party code
  # (freetype, png, harfbuzz, pcre2, zlib, double-conversion) instead of any
  # system library. Without ICU, QCollator compares through CompareStringEx.
  # Debian's source has no 3rdparty/wintab, hence no tablet events, and
  # DirectWrite 3 needs Direct2D, which is off. OpenGL goes off through
  # INPUT_opengl: FEATURE_opengl=OFF alone leaves dynamic OpenGL on, and the
  # windows platform plugin then does not compile.
  local features=(
    network sql dbus opengl printsupport concurrent xml vulkan direct2d jpeg icu
    tabletevent directwrite3 zstd androiddeployqt
    system_zlib system_png system_jpeg system_freetype system_harfbuzz
    system_pcre2 system_doubleconversion
  )
  local args=() feature
  for feature in "${features[@]}"; do args+=(-DFEATURE_$feature=OFF); done
  cmake -G Ninja -S "$src/qt6-base" -B "$scratch/qt-build" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DKASAMAT_WINDOWS_PREFIX="$prefix" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release \
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DINPUT_opengl=no "${args[@]}"
  ninja -C "$scratch/qt-build" -j$jobs
  cmake --install "$scratch/qt-build"
}

# --- GoogleTest ------------------------------------------------------------
build_gtest() {
  cmake -G Ninja -S /usr/src/googletest -B "$scratch/gtest-build" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DKASAMAT_WINDOWS_PREFIX="$prefix" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON -DBUILD_SHARED_LIBS=OFF
  ninja -C "$scratch/gtest-build" -j$jobs
  cmake --install "$scratch/gtest-build"
}

# --- Fonts -----------------------------------------------------------------
# Qt's offscreen platform on Windows reads fonts from <prefix>/lib/fonts;
# window tests under Wine need some there.
install_fonts() {
  install -d "$prefix/lib/fonts"
  local dejavu=/usr/share/fonts/truetype/dejavu wine=/usr/share/wine/fonts
  install -m 644 "$dejavu/DejaVuSans.ttf" "$dejavu/DejaVuSans-Bold.ttf" \
    "$dejavu/DejaVuSansMono.ttf" "$dejavu/DejaVuSansMono-Bold.ttf" \
    "$wine/tahoma.ttf" "$wine/tahomabd.ttf" "$prefix/lib/fonts/"
}

step sources fetch_sources
step openssl build_openssl
step sqlcipher build_sqlcipher
step gtest build_gtest
step qt build_qt
step fonts install_fonts

log "scratch folder at its peak: $(du -sh "$scratch" | cut -f1)"
close_prefix
