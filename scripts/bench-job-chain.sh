#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
# Times importar and comprobar of YAML job databases as whole processes,
# paired with comprobar of a 99-level table in every round: a server's own
# renewal file (given), and a chain of 3,000 levels (a table exported with
# --nivel-maximo 3000, then an admin's file that changes one job). Prints
# each command's median and the median of its per-round ratio to the
# table's comprobar; then the peak memory (maximum resident set) against
# the input's size, including a file near the 16 MiB bound.
# Args: TOOL RENEWAL_JOB_EXP_YML [ROUNDS]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
tool=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
renewal=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
rounds=${3:-11}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

"$tool" generar --cortar -o t99.txt
"$tool" generar --cortar --NobBase 3000 --FBase 3000 --SBase 3000 --SupBase 3000 --NHigBase 3000 --FrABase 3000 \
  --SegABase 3000 --MultExp 1 --NextBase 1000 --IncNextBase 0 -o t3000.txt 2>/dev/null
"$tool" exportar t3000.txt --nivel-maximo 3000 -o base3000.yml 2>/dev/null
printf 'Header:\n  Type: JOB_STATS\n  Version: 2\nBody:\n  - Jobs:\n      Knight: true\n    BaseExp:\n      - Level: 7\n        Exp: 77\n' > admin.yml
echo "renewal $(wc -c < "$renewal") bytes; chain $(wc -c < base3000.yml) + $(wc -c < admin.yml) bytes; $rounds rounds"

for round in $(seq "$rounds"); do
  for command in tabla importar_re comprobar_re importar_3000 comprobar_3000; do
    case $command in
    tabla) set -- comprobar t99.txt ;;
    importar_re) set -- importar "$renewal" -o re.txt ;;
    comprobar_re) set -- comprobar "$renewal" ;;
    importar_3000) set -- importar base3000.yml admin.yml --nivel-maximo 3000 -o c.txt ;;
    comprobar_3000) set -- comprobar base3000.yml admin.yml --nivel-maximo 3000 ;;
    esac
    start=$(date +%s%N)
    "$tool" "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    echo "$round $command $(((end - start) / 1000000))"
  done
done > times.txt

awk -v commands="tabla importar_re comprobar_re importar_3000 comprobar_3000" -f "$here/paired-medians.awk" times.txt

# Memory against input: the renewal file, the chain, and a file of
# entries near the size bound (one job, items of every level, repeated).
awk 'BEGIN { printf "Header:\n  Type: JOB_STATS\n  Version: 2\nBody:\n";
  for (e = 0; e < 330; e++) { printf "  - Jobs:\n      Novice: true\n    MaxBaseLevel: 275\n    BaseExp:\n";
    for (l = 1; l <= 275; l++) printf "      - Level: %d\n        Exp: %d\n", l, l * 1000 } }' > big.yml
for input in "$renewal" base3000.yml big.yml; do
  /usr/bin/time -o rss.txt -f %M "$tool" comprobar "$input" --nivel-maximo 3000 >/dev/null 2>&1 || true
  rss=$(cat rss.txt)
  echo "$(basename "$input") $(wc -c < "$input") bytes: $rss KiB"
done
