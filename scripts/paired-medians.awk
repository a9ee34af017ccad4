# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
# Reads "ROUND COMMAND MS" lines of paired rounds and prints, for each of
# `commands` (space-separated, the first the reference), its median and the
# median of its per-round ratio to the reference, then its rounds.
# awk -v commands="a b c" -f paired-medians.awk times.txt
{ ms[$2, $1] = $3; if ($1 > rounds) rounds = $1 }
function median(list, n,   i, j, t) {
  for (i = 2; i <= n; i++) for (j = i; j > 1 && list[j - 1] > list[j]; j--) { t = list[j]; list[j] = list[j - 1]; list[j - 1] = t }
  return n % 2 ? list[(n + 1) / 2] : (list[n / 2] + list[n / 2 + 1]) / 2
}
END {
  count = split(commands, names, " ")
  reference = names[1]
  printf "%-15s %10s %14s   %s\n", "orden", "mediana", "× " reference, "ms por ronda"
  for (k = 1; k <= count; k++) {
    c = names[k]; runs = ""
    for (r = 1; r <= rounds; r++) { a[r] = ms[c, r]; q[r] = ms[c, r] / (ms[reference, r] ? ms[reference, r] : 1); runs = runs " " ms[c, r] }
    printf "%-15s %7d ms %14.2f  %s\n", c, median(a, rounds), median(q, rounds), runs
  }
}
