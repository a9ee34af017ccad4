// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// A picture of a table's curves: base columns in one panel, job columns in
// another, the level across and the experience up. One drawing over a
// QPainter, whatever the kind of picture.

#include <QByteArray>
#include <QString>

struct Curves;

// Curves are thinned to this many stretches of levels (curves.h).
inline constexpr int kChartBuckets = 1024;

enum class ChartFormat { Png, Pdf, Svg };

struct ChartRequest
{
    QString title; // the file's name
    bool logarithmic = true;
    ChartFormat format = ChartFormat::Svg;
};

// The picture's bytes of curves thinned to kChartBuckets; empty for SVG where
// the build has no SVG writer (see svg_writer.h). Needs the application
// object of chart_application.h.
QByteArray drawChart(const Curves &curves, const ChartRequest &request);
