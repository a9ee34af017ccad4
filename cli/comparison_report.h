// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// comparar's report: a line for each differing cell
// ("4:High Nob Base: 13 -> 99 (A: línea 5; B: línea 5; cuadrícula: 5)"),
// a line for each level only one table has, and the summary, last.

#include <QString>

class ExperienceTable;
struct TableComparison;

// `shownA` and `shownB` name the files as messages show them.
QString comparisonText(const TableComparison &comparison, const ExperienceTable &a, const ExperienceTable &b,
                       const QString &shownA, const QString &shownB);
