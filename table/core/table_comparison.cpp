// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "table/core/table_comparison.h"

#include "table/core/experience_table.h"
#include "table/core/table_file.h"

#include <algorithm>

TableComparison compareTables(const ExperienceTable &a, const ExperienceTable &b)
{
    TableComparison comparison;
    const int32_t common = std::min(a.rowCount(), b.rowCount()) - 1;
    std::vector<int32_t> rows;
    for (int32_t r = 1; r <= common; ++r) {
        if (a.packedRow(r) == b.packedRow(r)) // most rows of two versions of a table are alike
            continue;
        // "5" and "5," hold the same cells.
        qint64 cells = 0;
        for (int c = kFirstValueColumn; c <= kLastValueColumn; ++c)
            cells += a.value(r, c) != b.value(r, c);
        if (cells == 0)
            continue;
        comparison.cells += cells;
        rows.push_back(r);
    }
    // The lines in one pass over each table.
    const std::vector<qint64> linesA = fileLinesOfRows(a, rows), linesB = fileLinesOfRows(b, rows);
    comparison.differing.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        comparison.differing.push_back({rows[i], linesA[i], linesB[i]});

    comparison.onlyInA = a.rowCount() > b.rowCount();
    const ExperienceTable &longer = comparison.onlyInA ? a : b;
    for (int32_t r = common + 1; r < longer.rowCount(); ++r)
        comparison.onlyRows.push_back(r);
    comparison.onlyLines = fileLinesOfRows(longer, comparison.onlyRows);
    return comparison;
}
