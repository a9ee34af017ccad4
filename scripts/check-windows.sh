#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
# Compiles, with Debian's mingw-w64 cross compiler, the Windows-only sources
# that need no Qt (the registry lookup, the lock keys, the programs the About
# window starts), so that code this machine never runs cannot rot unbuilt,
# and links the registry lookup into a probe the tests run under Wine. The
# sources that need Qt are built, and run, by `make windows` and
# `make test-windows`, against the Qt built for Windows.
set -eu
cd "$(dirname "$0")/.."
cxx=x86_64-w64-mingw32-g++-posix
command -v "$cxx" >/dev/null || ./scripts/install-deps.sh test
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for source in about/core/registry_win.cpp about/programs_win.cpp about/core/sys_info.cpp shell/lock_keys_win.cpp \
  tests/about/sysinfo_probe.cpp; do
  "$cxx" -std=c++20 -Wall -Wextra -Werror -I. -c "$source" -o "$out/$(basename "$source").o"
done
# The lookup itself, linked against advapi32 from the objects above.
"$cxx" -static -o "$out/sysinfo_probe.exe" "$out/sysinfo_probe.cpp.o" "$out/sys_info.cpp.o" "$out/registry_win.cpp.o" \
  -ladvapi32
echo "Código de Windows sin Qt compilado: registro, teclas de bloqueo, programas; sonda del registro enlazada."
