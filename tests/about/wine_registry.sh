#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
# The registry lookup on Windows' own API, run under Wine against values
# written with its `reg add`. Args: the probe (.exe built with mingw-w64).
set -eu
probe=$1
wine=/usr/lib/wine/wine64
prefix=$(mktemp -d)
trap 'WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$prefix"' EXIT
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

key='SOFTWARE\Microsoft\Shared Tools\MSINFO'
reg() { "$wine" reg add "HKLM\\$key" /f "$@" >/dev/null 2>&1; }
reg /v PATH /t REG_SZ /d 'C:\windows\msinfo32.exe'
reg /v Fits /t REG_SZ /d "$(printf 'a%.0s' $(seq 1023))"
reg /v TooLong /t REG_SZ /d "$(printf 'b%.0s' $(seq 1024))"
reg /v Number /t REG_DWORD /d 298
reg /v Binary /t REG_BINARY /d 0102

failed=0
check() { # value, expected "result|length|text" (text only compared when given)
  got=$("$wine" "$probe" "$key" "$1" 2>/dev/null | tr -d '\r')
  case "$got" in
    "$2"*) echo "ok   $1: $got" | cut -c1-80 ;;
    *) echo "FAIL $1: got '$got', expected '$2'" | cut -c1-200; failed=1 ;;
  esac
}
check PATH 'leido|23|C:\windows\msinfo32.exe'
check Fits 'leido|1023|aaaa'
check TooLong 'no leido|0|'
check Number 'leido|3|298'
check Binary 'leido|10|sin cambio'
check Missing 'no leido|0|'
[ "$failed" -eq 0 ] && echo "1 passed, 0 failed" || { echo "0 passed, 1 failed"; exit 1; }
