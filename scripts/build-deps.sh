#!/usr/bin/env bash
# Builds libjpeg-turbo for the mingw targets from Debian's source package,
# once, into build/deps/<triple>. CMake finds it there with find_package(JPEG).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
deps="${KEYSTRIDE_BUILD:-$root/build}/deps"
mkdir -p "$deps"

ensure_deb_src() {
  if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    echo "build-deps: adding a deb-src entry for Debian's archive" >&2
    local suite
    suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
    cat >/etc/apt/sources.list.d/keystride-src.sources <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $suite
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    apt-get update -qq
  fi
}

fetch_source() {
  local dir
  dir=$(find "$deps/src" -maxdepth 1 -type d -name 'libjpeg-turbo-*' 2>/dev/null | head -n 1)
  if [ -z "$dir" ]; then
    ensure_deb_src
    mkdir -p "$deps/src"
    (cd "$deps/src" && apt-get source -qq libjpeg-turbo >/dev/null 2>&1) ||
      { apt-get update -qq && (cd "$deps/src" && apt-get source -qq libjpeg-turbo >/dev/null); }
    dir=$(find "$deps/src" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
  fi
  echo "$dir"
}

build_for() {
  local triple=$1 toolchain=$2 src=$3
  local prefix="$deps/$triple"
  [ -f "$prefix/.built" ] && return 0
  echo "build-deps: building libjpeg-turbo for $triple" >&2
  rm -rf "$deps/build-$triple"
  cmake -S "$src" -B "$deps/build-$triple" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF \
    -DWITH_JAVA=OFF >"$deps/build-$triple.log" 2>&1
  cmake --build "$deps/build-$triple" --target install >>"$deps/build-$triple.log" 2>&1 ||
    { tail -n 30 "$deps/build-$triple.log" >&2; return 1; }
  touch "$prefix/.built"
}

need=0
for t in x86_64-w64-mingw32 i686-w64-mingw32; do [ -f "$deps/$t/.built" ] || need=1; done
[ "$need" = 1 ] || exit 0
src=$(fetch_source)
build_for x86_64-w64-mingw32 mingw-x86_64.cmake "$src"
build_for i686-w64-mingw32 mingw-i686.cmake "$src"
