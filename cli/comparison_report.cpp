// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/comparison_report.h"

#include "cli/console.h"
#include "server/core/table_check.h"
#include "table/core/experience_table.h"
#include "table/core/table_comparison.h"

QString comparisonText(const TableComparison &comparison, const ExperienceTable &a, const ExperienceTable &b,
                       const QString &shownA, const QString &shownB)
{
    QString out;
    for (const TableComparison::Level &level : comparison.differing) {
        const int32_t r = level.row;
        for (int c = kFirstValueColumn; c <= kLastValueColumn; ++c) {
            const std::string_view va = a.value(r, c), vb = b.value(r, c);
            if (va != vb)
                out += QStringLiteral("%1:%2: %3 -> %4 (A: línea %5; B: línea %6; cuadrícula: %7)\n")
                           .arg(r)
                           .arg(columnName(c), shownValue(va), shownValue(vb))
                           .arg(level.lineA)
                           .arg(level.lineB)
                           .arg(a.label(r));
        }
    }
    const ExperienceTable &longer = comparison.onlyInA ? a : b;
    const QString &only = comparison.onlyInA ? shownA : shownB;
    for (size_t i = 0; i < comparison.onlyRows.size(); ++i)
        out += QStringLiteral("%1: solo en %2 (línea %3; cuadrícula: %4)\n")
                   .arg(comparison.onlyRows[i])
                   .arg(only)
                   .arg(comparison.onlyLines[i])
                   .arg(longer.label(comparison.onlyRows[i]));
    const qint64 onlyCount = qint64(comparison.onlyRows.size());
    return out
           + QStringLiteral("%1 en %2%3\n")
                 .arg(countOf(comparison.cells, "celda distinta", "celdas distintas"),
                      countOf(qint64(comparison.differing.size()), "nivel", "niveles"),
                      onlyCount == 0
                          ? QString()
                          : QStringLiteral("; %1 solo en %2").arg(countOf(onlyCount, "nivel", "niveles"), only));
}
