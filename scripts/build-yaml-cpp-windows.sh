#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
# Builds a static yaml-cpp 0.7.0 for 64-bit Windows from Debian's own
# yaml-cpp source package (Debian's patches applied), with Debian's mingw-w64
# compilers, for vandrel-exp.exe's exportar and importar. The result lives in
# the cache folder beside the Qt of build-qt-windows.sh; the source archives
# stay in PREFIX/source for the source zip. Prints the install prefix.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
cache=${VEXP_QT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vandrel-exp-editor}
version=0.7.0
prefix="$cache/yaml-cpp-$version-win64"
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi
work="$cache/yaml-cpp-$version-work"
rm -rf "$work" "$prefix"
mkdir -p "$work"
"$here/scripts/debian-source.sh" yaml-cpp "$work"
cd "$work"
# The archive serves one version; refuse any other than the one checked here.
ls yaml-cpp_"$version"+*.dsc >/dev/null
dpkg-source -x yaml-cpp_"$version"+*.dsc source >&2
cmake -S source -B build -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DYAML_BUILD_SHARED_LIBS=OFF -DYAML_CPP_BUILD_TESTS=OFF -DYAML_CPP_BUILD_TOOLS=OFF \
  -DYAML_CPP_BUILD_CONTRIB=OFF -DCMAKE_INSTALL_PREFIX="$prefix" >&2
cmake --build build -j"$(nproc)" >&2
cmake --install build >&2
mkdir -p "$prefix/source"
cp yaml-cpp_"$version"+* "$prefix/source/"
touch "$prefix/.complete"
cd "$cache"
rm -rf "$work"
echo "$prefix"
