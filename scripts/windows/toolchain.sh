#!/usr/bin/env bash
# Builds, once, what a Windows cross build of Tavrin links against: Qt base for
# x86_64-w64-mingw32 (host tools from the installed Debian Qt), the SQLite its
# driver uses, and zlib, libpng and libcurl (Schannel) for our own code. All
# sources are Debian's source packages, fetched through a private apt setup so
# the system's sources stay as they are.
#
#   scripts/windows/toolchain.sh [component...]   (default: all, in order)
#   components: sqlite qt zlib libpng curl
#
# Cache folder: TAVRIN_WIN_CACHE (default ~/.cache/tavrin/windows); the install
# prefix is <cache>/prefix, with bin/qt-cmake in it. A stamp per component makes
# a second run quick. TAVRIN_WIN_JOBS (default 2) sets the build's -j;
# TAVRIN_WIN_KEEP_BUILD=1 keeps the build folders after a successful install.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cache=${TAVRIN_WIN_CACHE:-$HOME/.cache/tavrin/windows}
prefix=$cache/prefix
stamps=$cache/stamps
jobs=${TAVRIN_WIN_JOBS:-2}
toolchain=$repo/cmake/windows/mingw64.cmake
triple=x86_64-w64-mingw32
export TAVRIN_WIN_CACHE=$cache # the toolchain file reads it too

started=$SECONDS
log() { printf '[toolchain %4ds] %s\n' $((SECONDS - started)) "$*"; }
die() {
  printf 'toolchain.sh: %s\n' "$*" >&2
  exit 1
}
quiet() { nice -n 10 "$@"; }

for tool in $triple-gcc-posix $triple-g++-posix $triple-windres cmake ninja dpkg-source tclsh make; do
  command -v "$tool" > /dev/null || die "missing $tool (run scripts/deps.sh)"
done
[ -x /usr/lib/qt6/libexec/moc ] || die "missing the host Qt tools (qt6-base-dev-tools)"

# The Debian mirror this machine already uses, so the private setup needs no other host.
debian_mirror() {
  local uri
  uri=$( (grep -hs '^URIs:' /etc/apt/sources.list.d/*.sources | awk '{print $2}'
    grep -hs '^deb ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list | awk '{print $2}') |
    grep -m1 -E '/debian/?$' || true)
  printf '%s\n' "${TAVRIN_DEBIAN_MIRROR:-${uri:-http://deb.debian.org/debian}}"
}

apt_private() {
  apt-get -q \
    -o Dir::Etc::SourceList="$cache/sources.list" -o Dir::Etc::SourceParts=- \
    -o Dir::State::Lists="$cache/lists" -o Dir::Cache="$cache/apt" \
    -o APT::Sandbox::User=root "$@"
}

apt_ready() {
  [ -f "$stamps/apt-lists" ] && return
  mkdir -p "$cache/lists/partial" "$cache/apt/archives/partial" "$stamps"
  echo "deb-src $(debian_mirror) bookworm main" > "$cache/sources.list"
  log "apt: reading the source lists of $(debian_mirror)"
  apt_private update > "$cache/apt-update.log" 2>&1 || {
    cat "$cache/apt-update.log" >&2
    die "apt-get update (private lists) failed"
  }
  touch "$stamps/apt-lists"
}

# fetch SOURCE[=VERSION] UPSTREAM DEST: downloads a Debian source package, unpacks
# it with Debian's patches applied into DEST, and checks the upstream version.
fetch() {
  local spec=$1 upstream=$2 dest=$3 name=${1%%=*} dsc
  apt_ready
  mkdir -p "$cache/src/$name"
  dsc=$(find "$cache/src/$name" -name "${name}_*.dsc" | sort | tail -n1)
  if [ -z "$dsc" ]; then
    log "$name: downloading the source package"
    (cd "$cache/src/$name" && apt_private source --download-only "$spec" > download.log 2>&1) || {
      cat "$cache/src/$name/download.log" >&2
      die "apt-get source $spec failed"
    }
    dsc=$(find "$cache/src/$name" -name "${name}_*.dsc" | sort | tail -n1)
  fi
  local version=${dsc##*/"${name}"_}
  version=${version%.dsc}
  version=${version#*:}
  case $version in
    "$upstream"*) ;;
    *) die "$name: got version $version, expected $upstream" ;;
  esac
  rm -rf "$dest"
  mkdir -p "$(dirname "$dest")"
  log "$name $version: unpacking"
  dpkg-source -x "$dsc" "$dest" > "$cache/src/$name/unpack.log" 2>&1 || {
    cat "$cache/src/$name/unpack.log" >&2
    die "dpkg-source -x $dsc failed"
  }
}

# A stamp records what was built; a changed recipe (its key) builds it again.
is_built() { [ -f "$stamps/$1" ] && [ "$(cat "$stamps/$1")" = "$2" ]; }
mark_built() { printf '%s\n' "$2" > "$stamps/$1"; }
tidy() { [ "${TAVRIN_WIN_KEEP_BUILD:-0}" = 1 ] || rm -rf "$cache/build/$1"; }

cmake_cross() {
  quiet cmake -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" "$@"
}

build_sqlite() {
  local key="sqlite3 r1" w=$cache/build/sqlite
  is_built sqlite "$key" && return
  fetch sqlite3 3. "$w/src"
  log "sqlite: generating the amalgamation"
  mkdir -p "$w/gen"
  (cd "$w/gen" && quiet ../src/configure --disable-tcl > configure.log 2>&1 &&
    quiet make sqlite3.c > make.log 2>&1) || die "sqlite amalgamation failed (see $w/gen)"
  log "sqlite: compiling for $triple"
  # Debian's own choice of options, minus those that need a regenerated parser.
  quiet $triple-gcc-posix -O2 -fno-strict-aliasing -c "$w/gen/sqlite3.c" -o "$w/gen/sqlite3.o" \
    -DSQLITE_SECURE_DELETE -DSQLITE_ENABLE_COLUMN_METADATA -DSQLITE_ENABLE_FTS3 \
    -DSQLITE_ENABLE_FTS3_PARENTHESIS -DSQLITE_ENABLE_RTREE=1 -DSQLITE_SOUNDEX=1 \
    -DSQLITE_ENABLE_UNLOCK_NOTIFY -DSQLITE_ENABLE_DBSTAT_VTAB -DSQLITE_THREADSAFE=1
  mkdir -p "$prefix/lib" "$prefix/include"
  rm -f "$prefix/lib/libsqlite3.a"
  $triple-ar rcs "$prefix/lib/libsqlite3.a" "$w/gen/sqlite3.o"
  cp "$w/gen/sqlite3.h" "$w/src/src/sqlite3ext.h" "$prefix/include/"
  mark_built sqlite "$key"
  tidy sqlite
}

build_qt() {
  local host_version patch=$repo/cmake/windows/qtbase-direct2d-fontdb.patch
  host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
  # The key follows the patch's diff, not its comment.
  local key diff_hash
  diff_hash=$(sed -n '/^--- /,$p' "$patch" | sha256sum | cut -c1-16)
  key="qt6-base $host_version r1 $diff_hash"
  is_built qt "$key" && return
  is_built sqlite "$(cat "$stamps/sqlite" 2> /dev/null)" || die "qt needs sqlite first"
  local w=$cache/build/qt
  # The same version as the host tools, which the cross build runs.
  fetch "qt6-base=$host_version" 6.4.2 "$w/src"
  patch -d "$w/src" -p1 --quiet < "$patch"
  log "qt: configuring (log: $w/configure.log)"
  rm -rf "$w/build"
  # Debian's tarball lacks the bundled SQLite, wintab and iaccessible2: the driver
  # uses ours, and tablet events are off. Everything else is bundled so that the
  # host's libraries never leak in.
  cmake_cross -S "$w/src" -B "$w/build" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_pkg_config=OFF -DFEATURE_icu=OFF -DFEATURE_zstd=OFF -DFEATURE_brotli=OFF \
    -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_androiddeployqt=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_gui=ON -DFEATURE_widgets=ON -DFEATURE_testlib=ON -DFEATURE_network=ON \
    -DFEATURE_openssl=OFF -DFEATURE_schannel=ON \
    -DFEATURE_sql=ON -DFEATURE_sql_sqlite=ON -DFEATURE_system_sqlite=ON \
    -DFEATURE_sql_odbc=OFF -DFEATURE_sql_psql=OFF -DFEATURE_sql_mysql=OFF \
    -DFEATURE_sql_ibase=OFF -DFEATURE_sql_oci=OFF -DFEATURE_sql_db2=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF \
    -DFEATURE_freetype=ON -DFEATURE_harfbuzz=ON -DFEATURE_png=ON -DFEATURE_jpeg=ON \
    > "$w/configure.log" 2>&1 || {
    tail -n 40 "$w/configure.log" >&2
    die "qt configure failed"
  }
  log "qt: building with -j$jobs (log: $w/build.log)"
  quiet cmake --build "$w/build" -j "$jobs" > "$w/build.log" 2>&1 || {
    grep -B5 -A20 -m3 -E 'error|FAILED' "$w/build.log" >&2 || tail -n 40 "$w/build.log" >&2
    die "qt build failed"
  }
  log "qt: installing"
  quiet cmake --install "$w/build" > "$w/install.log" 2>&1 || die "qt install failed (see $w/install.log)"
  [ -x "$prefix/bin/qt-cmake" ] || die "qt install has no bin/qt-cmake"
  mark_built qt "$key"
  tidy qt
}

build_zlib() {
  local key="zlib r1" w=$cache/build/zlib
  is_built zlib "$key" && return
  fetch zlib 1.2.13 "$w/src"
  # Debian's tarball drops win32/zlib1.rc, which the shared library's CMake rule
  # lists; a bare version resource is enough.
  if [ ! -f "$w/src/win32/zlib1.rc" ]; then
    mkdir -p "$w/src/win32"
    printf '1 VERSIONINFO\nFILEVERSION 1,2,13,0\nPRODUCTVERSION 1,2,13,0\nBEGIN\nEND\n' \
      > "$w/src/win32/zlib1.rc"
  fi
  log "zlib: building"
  (cmake_cross -S "$w/src" -B "$w/build" -DBUILD_SHARED_LIBS=ON &&
    quiet cmake --build "$w/build" -j "$jobs" && quiet cmake --install "$w/build") \
    > "$w/build.log" 2>&1 || {
    tail -n 30 "$w/build.log" >&2
    die "zlib build failed"
  }
  mark_built zlib "$key"
  tidy zlib
}

build_libpng() {
  local key="libpng1.6 r1" w=$cache/build/libpng
  is_built libpng "$key" && return
  is_built zlib "$(cat "$stamps/zlib" 2> /dev/null)" || die "libpng needs zlib first"
  fetch libpng1.6 1.6.39 "$w/src"
  log "libpng: building"
  (cmake_cross -S "$w/src" -B "$w/build" -DPNG_SHARED=ON -DPNG_STATIC=OFF -DPNG_TESTS=OFF \
    -DPNG_EXECUTABLES=OFF -DZLIB_ROOT="$prefix" &&
    quiet cmake --build "$w/build" -j "$jobs" && quiet cmake --install "$w/build") \
    > "$w/build.log" 2>&1 || {
    tail -n 30 "$w/build.log" >&2
    die "libpng build failed"
  }
  mark_built libpng "$key"
  tidy libpng
}

build_curl() {
  local key="curl schannel r1" w=$cache/build/curl
  is_built curl "$key" && return
  is_built zlib "$(cat "$stamps/zlib" 2> /dev/null)" || die "curl needs zlib first"
  fetch curl 7.88.1 "$w/src"
  log "curl: building"
  # Windows' own TLS (Schannel) and nothing else that would need a library.
  (cmake_cross -S "$w/src" -B "$w/build" -DBUILD_SHARED_LIBS=ON -DBUILD_CURL_EXE=ON \
    -DBUILD_TESTING=OFF -DENABLE_MANUAL=OFF -DCURL_USE_SCHANNEL=ON -DCURL_USE_OPENSSL=OFF \
    -DCURL_USE_MBEDTLS=OFF -DCURL_USE_WOLFSSL=OFF -DCURL_USE_BEARSSL=OFF -DCURL_USE_NSS=OFF \
    -DCURL_USE_LIBSSH2=OFF -DCURL_USE_LIBSSH=OFF -DUSE_NGHTTP2=OFF -DUSE_LIBIDN2=OFF \
    -DCURL_BROTLI=OFF -DCURL_ZSTD=OFF -DCURL_ZLIB=ON -DZLIB_ROOT="$prefix" \
    -DCURL_DISABLE_LDAP=ON -DENABLE_UNIX_SOCKETS=OFF -DCURL_CA_PATH=none -DCURL_CA_BUNDLE=none &&
    quiet cmake --build "$w/build" -j "$jobs" && quiet cmake --install "$w/build") \
    > "$w/build.log" 2>&1 || {
    tail -n 30 "$w/build.log" >&2
    die "curl build failed"
  }
  mark_built curl "$key"
  tidy curl
}

main() {
  local components=("$@") c
  ((${#components[@]})) || components=(sqlite qt zlib libpng curl)
  mkdir -p "$stamps" "$prefix"
  for c in "${components[@]}"; do
    case $c in
      sqlite | qt | zlib | libpng | curl) "build_$c" ;;
      *) die "unknown component $c" ;;
    esac
  done
  log "tool chain ready in $prefix ($((SECONDS - started)) s)"
}

# Read to the end before running: the Qt build is long, and bash reads a
# script as it goes.
main "$@"
exit
