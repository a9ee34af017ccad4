#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
# Runs a QtTest program under Wine. Its console report is lost there, so it
# writes the report to a file, shown here whatever the outcome.
set -u
log=$(mktemp)
"$(dirname "$0")/wine-run.sh" "$@" -o "$log,txt"
status=$?
cat "$log"
rm -f "$log"
exit $status
