// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// Two tables compared cell by cell, the n-th level of one against the n-th
// of the other, with each differing level's line in both files, so that a
// report can name the row in a text editor and in the grid alike.

#include <QtGlobal>

#include <cstdint>
#include <vector>

class ExperienceTable;

struct TableComparison
{
    struct Level
    {
        int32_t row;
        qint64 lineA, lineB;
    };
    std::vector<Level> differing; // levels both tables have that differ in some cell
    qint64 cells = 0;             // the cells that differ in them

    // The levels only the longer table has, and their lines in its file.
    std::vector<int32_t> onlyRows;
    std::vector<qint64> onlyLines;
    bool onlyInA = false;

    bool equal() const { return cells == 0 && onlyRows.empty(); }
};

TableComparison compareTables(const ExperienceTable &a, const ExperienceTable &b);
