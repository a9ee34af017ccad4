// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// The fourteen value columns of a table as curves against the level, thinned
// to what a picture can show: a million levels become at most two points per
// bucket of levels (the lowest and the highest), so every peak and dip stays.

#include "table/core/experience_table.h"

#include <QList>
#include <QPointF>

#include <array>

struct Curves
{
    ByColumn<QList<QPointF>> points; // by column, 1 to 14; x the level
    qint64 notNumbers = 0;           // cells that are not plain decimal digits, left out
    qint64 zeros = 0;                // cells of 0, left out on a logarithmic scale
    qint64 levels = 0;
    bool closingRowLeftOut = false; // a last row of zeros closes the table, it is no level
    double smallest = 0;            // of the values drawn
    double largest = 0;
};

// At most 2 * buckets points per curve.
Curves curvesOf(const ExperienceTable &table, bool logarithmic, int buckets = 2048);
