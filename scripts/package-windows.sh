#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
# Ships the Windows build: a zip of both programs with the licence, the
# third-party notices and a short Spanish LEEME.txt; an NSIS installer (per
# user, Start menu, uninstaller); and the complete source of both, this
# project's at the current commit and the Qt and yaml-cpp it was built with, in one zip
# beside them. Args: BUILD_WINDOWS_DIR
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
# The one version, as CMake read it from CMakeLists.txt.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
qt_prefix=$(sed -n 's/^Qt6_DIR:PATH=//p' "$build/CMakeCache.txt")
qt_prefix=$(cd "$qt_prefix/../../.." && pwd)
[ -n "$version" ] || { echo "package-windows.sh: no version in $build/CMakeCache.txt" >&2; exit 1; }
name=vandrel-exp-editor-$version-win64
sources=vandrel-exp-editor-$version-fuentes
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# The Qt source the programs were built from, kept beside that Qt.
qt_source="$qt_prefix/source"
ls "$qt_source"/qt6-base_*.orig.tar.xz >/dev/null 2>&1 || {
  echo "package-windows.sh: no Qt source in $qt_source (scripts/build-qt-windows.sh keeps it there)" >&2
  exit 1
}
qtbase=$(mktemp -d)
trap 'rm -rf "$stage" "$qtbase"' EXIT
tar xf "$qt_source"/qt6-base_*.orig.tar.xz -C "$qtbase"

# The yaml-cpp source vandrel-exp.exe was built from, kept beside that yaml-cpp.
yaml_prefix=$(sed -n 's/^yaml-cpp_DIR:[A-Z]*=//p' "$build/CMakeCache.txt")
yaml_source=$(cd "$yaml_prefix/../../.." && pwd)/source
ls "$yaml_source"/yaml-cpp_*.orig.tar.xz >/dev/null 2>&1 || {
  echo "package-windows.sh: no yaml-cpp source in $yaml_source (scripts/build-yaml-cpp-windows.sh keeps it there)" >&2
  exit 1
}
tar xf "$yaml_source"/yaml-cpp_*.orig.tar.xz -C "$qtbase" --wildcards '*/LICENSE'

mkdir "$stage/$name"
cp "$build/vandrel-exp-editor.exe" "$build/vandrel-exp.exe" "$stage/$name/"
# Windows text, as Notepad reads it: CR LF.
sed 's/$/\r/' "$here/COPYING" > "$stage/$name/LICENCIA.txt"
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$here/packaging/windows/LEEME.txt" > "$stage/$name/LEEME.txt"
cmake -DQT_SOURCE="$(echo "$qtbase"/qtbase-everywhere-src-*)" -DYAML_CPP_LICENSE="$(echo "$qtbase"/yaml-cpp-*/LICENSE)" \
  -DOUT="$stage/$name/TERCEROS.txt" \
  -P "$here/packaging/windows/third_party_notices.cmake"
rm -f "$build/$name.zip"
(cd "$stage" && cmake -E tar cf "$build/$name.zip" --format=zip "$name")
echo "$build/$name.zip"

makensis -V2 -DVERSION="$version" -DBUILD="$build" -DSTAGE="$stage/$name" -DSOURCE="$here" \
  -DOUT="$build/$name-instalador.exe" "$here/packaging/windows/instalador.nsi"
echo "$build/$name-instalador.exe"

# Whoever passes the programs on passes this from the same place (GPL-2 §3).
mkdir "$stage/$sources" "$stage/$sources/qt" "$stage/$sources/yaml-cpp"
git -C "$here" archive --format=tar --prefix="vandrel-exp-editor-$version/" HEAD | tar xf - -C "$stage/$sources"
cp "$qt_source"/* "$stage/$sources/qt/"
cp "$yaml_source"/* "$stage/$sources/yaml-cpp/"
cat > "$stage/$sources/LEEME.txt" <<TEXT
Fuentes de Vandrel EXP Editor $version para Windows

vandrel-exp-editor-$version/  el código fuente de los programas, tal como estaba en
                          la revisión $(git -C "$here" rev-parse --short HEAD) de git; README.md explica cómo construirlo.
qt/                       las fuentes de Qt (qt6-base de Debian) con que se construyeron,
                          sin cambios: scripts/build-qt-windows.sh las configura y compila.
yaml-cpp/                 las fuentes de yaml-cpp (el paquete de fuentes de Debian) con que se
                          construyó vandrel-exp.exe, sin cambios: scripts/build-yaml-cpp-windows.sh
                          les aplica los parches de Debian y las compila.
TEXT
sed -i 's/$/\r/' "$stage/$sources/LEEME.txt"
rm -f "$build/$sources.zip"
(cd "$stage" && cmake -E tar cf "$build/$sources.zip" --format=zip "$sources")
echo "$build/$sources.zip"
