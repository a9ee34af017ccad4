#!/bin/sh
# Ships the Windows build: a zip of both programs with the licence and a
# short Spanish LEEME.txt, and an NSIS installer (per user, Start menu,
# uninstaller). Args: BUILD_WINDOWS_DIR
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
name=vandrel-exp-editor-1.0-win64
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/$name"
cp "$build/vandrel-exp-editor.exe" "$build/vandrel-exp.exe" "$stage/$name/"
cp "$here/COPYING" "$stage/$name/LICENCIA.txt"
cp "$here/packaging/windows/LEEME.txt" "$stage/$name/"
rm -f "$build/$name.zip"
(cd "$stage" && cmake -E tar cf "$build/$name.zip" --format=zip "$name")
echo "$build/$name.zip"
makensis -V2 -DBUILD="$build" -DSOURCE="$here" -DOUT="$build/$name-instalador.exe" \
  "$here/packaging/windows/instalador.nsi"
echo "$build/$name-instalador.exe"
