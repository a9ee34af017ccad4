#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
# Runs a Windows program under Debian's wine64, in one prefix kept for the
# whole run (the first start of a prefix costs seconds).
set -eu
: "${WINEPREFIX:=${XDG_CACHE_HOME:-$HOME/.cache}/vandrel-exp-editor/wine}"
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec /usr/lib/wine/wine64 "$@"
