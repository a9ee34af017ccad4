#pragma once

// A picture of a table's curves: base columns in one panel, job columns in
// another, the level across and the experience up.

#include <QByteArray>
#include <QString>

class ExperienceTable;

enum class ChartFormat { Svg, Png };

struct ChartRequest
{
    QString title; // the file's name
    bool logarithmic = true;
    ChartFormat format = ChartFormat::Svg;
};

// The picture's bytes. Needs the application object of chart_application.h.
QByteArray drawChart(const ExperienceTable &table, const ChartRequest &request);
