#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
# Times the tool's commands as whole processes on one clean 1,000,000-line
# table, paired: each round runs normalizar, comprobar, comparar and grafico
# (PNG) once, in turn, so a busy moment of a shared machine falls on all of
# them alike. Prints each command's median and the median of its per-round
# ratio to normalizar. Args: TOOL [ROUNDS]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
tool=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
rounds=${2:-11}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Rising levels within int32, CR LF, the comment line first: comprobar finds
# nothing in it. b.txt differs from it in one cell.
awk 'BEGIN { printf "//Archivo Creado Con Vandrel EXP Editor v1.0\r\n";
  for (level = 1; level <= 1000000; level++) { line = "";
    for (c = 0; c < 14; c++) line = line (c ? "," : "") 1000 + level * (c + 1) * 100;
    printf "%s\r\n", line } }' > a.txt
sed '500001s/^[0-9]*/7/' a.txt > b.txt
"$tool" comprobar a.txt | tail -n 1
echo "$(wc -c < a.txt) bytes, $rounds rounds"

for round in $(seq "$rounds"); do
  for command in normalizar comprobar comparar grafico; do
    case $command in
    normalizar) set -- normalizar a.txt salida.txt ;;
    comprobar) set -- comprobar a.txt ;;
    comparar) set -- comparar a.txt b.txt ;;
    grafico) set -- grafico a.txt -o curvas.png ;;
    esac
    start=$(date +%s%N)
    "$tool" "$@" >/dev/null 2>&1 || true # normalizar refuses to save a million levels, after reading them
    end=$(date +%s%N)
    echo "$round $command $(((end - start) / 1000000))"
  done
done > times.txt

awk -v commands="normalizar comprobar comparar grafico" -f "$here/paired-medians.awk" times.txt
