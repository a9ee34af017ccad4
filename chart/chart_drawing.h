// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// A picture of a table's curves: base columns in one panel, job columns in
// another, the level across and the experience up. One drawing over a
// QPainter, whatever the kind of picture.

#include <QByteArray>
#include <QString>

class ExperienceTable;

enum class ChartFormat { Png, Pdf, Svg };

struct ChartRequest
{
    QString title; // the file's name
    bool logarithmic = true;
    ChartFormat format = ChartFormat::Svg;
};

// The picture's bytes; empty for SVG where the build has no SVG writer (see
// svg_writer.h). Needs the application object of chart_application.h.
QByteArray drawChart(const ExperienceTable &table, const ChartRequest &request);
