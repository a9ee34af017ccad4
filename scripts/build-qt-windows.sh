#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
# Builds a static Qt 6.4.2 for 64-bit Windows from Debian's own qt6-base
# source package, with Debian's mingw-w64 compilers and Debian's host tools.
# The result lives in a cache folder outside the source tree, reused by every
# later build; `make clean` leaves it alone. The source archives stay beside
# it, in PREFIX/source: whoever passes the programs on passes them too.
# Prints the install prefix.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
cache=${VEXP_QT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vandrel-exp-editor}
version=6.4.2
prefix="$cache/qt-$version-win64"
work="$cache/qt-$version-work"
keep_source() {
  if ! ls "$prefix/source"/qt6-base_*.orig.tar.xz >/dev/null 2>&1; then
    mkdir -p "$prefix/source"
    cp "$work"/qt6-base_"$version"+* "$prefix/source/"
  fi
}
if [ -x "$prefix/bin/qt-cmake" ] && [ -f "$prefix/.complete" ]; then
  keep_source
  echo "$prefix"
  exit 0
fi
mkdir -p "$cache"
mkdir -p "$work"
cd "$work"

# Debian's source, fetched through a private apt set-up (debian-source.sh).
source_dir="$work/qtbase-everywhere-src-$version"
if [ ! -d "$source_dir" ]; then
  "$here/scripts/debian-source.sh" qt6-base "$work"
  # The archive serves one version; refuse any other than the host tools'.
  ls qt6-base_"$version"+*.orig.tar.xz >/dev/null
  tar xf qt6-base_"$version"+*.orig.tar.xz
fi

build="$work/build"
cmake -S "$source_dir" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DBUILD_SHARED_LIBS=OFF -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
  -DFEATURE_tabletevent=OFF -DINPUT_openssl=no >&2
cmake --build "$build" -j"$(nproc)" >&2
cmake --install "$build" >&2
keep_source
touch "$prefix/.complete"
rm -rf "$build" # 4 GB of objects; the installed prefix is all later builds need
echo "$prefix"
