#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
# Compiles the Windows-only sources with Debian's mingw-w64 cross compiler,
# so that code this machine never runs cannot rot unbuilt.
set -eu
cd "$(dirname "$0")/.."
cxx=x86_64-w64-mingw32-g++-posix
command -v "$cxx" >/dev/null || ./scripts/install-deps.sh test
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for source in about/core/registry_win.cpp about/programs_win.cpp about/core/sys_info.cpp shell/lock_keys_win.cpp; do
  "$cxx" -std=c++20 -Wall -Wextra -Werror -I. -c "$source" -o "$out/$(basename "$source").o"
done
# The lookup itself, linked against advapi32: a program the tests can run under Wine.
"$cxx" -std=c++20 -Wall -Wextra -Werror -I. -static -o "$out/sysinfo_probe.exe" \
  tests/about/sysinfo_probe.cpp about/core/sys_info.cpp about/core/registry_win.cpp -ladvapi32
echo "Código de Windows compilado: registro, teclas de bloqueo, programas."
