// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/commands.h"

#include "chart/chart_drawing.h"
#include "chart/core/curves.h"
#include "chart/svg_writer.h"
#include "cli/console.h"
#include "cli/file_arguments.h"
#include "core/system_error.h"
#include "table/core/experience_table.h"

#include <QFileInfo>

#include <optional>

namespace {

std::optional<ChartFormat> formatNamed(const QString &name)
{
    if (name.compare(QStringLiteral("png"), Qt::CaseInsensitive) == 0)
        return ChartFormat::Png;
    if (name.compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0)
        return ChartFormat::Pdf;
    if (name.compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0)
        return ChartFormat::Svg;
    return std::nullopt;
}

} // namespace

int grafico(const ParsedArguments &args)
{
    const QString input = args.operands.value(0), output = args.value(QStringLiteral("-o"));
    ChartRequest request;
    request.logarithmic =
        args.value(QStringLiteral("--escala"), QStringLiteral("log")).toLower() == QStringLiteral("log");
    std::optional<ChartFormat> format;
    if (args.has(QStringLiteral("--formato")))
        format = formatNamed(args.value(QStringLiteral("--formato")));
    if (input.isEmpty() || output.isEmpty())
        return fail(QStringLiteral("La orden grafico necesita un archivo y -o SALIDA.png, SALIDA.pdf o SALIDA.svg."));
    // Standard output takes SVG; a file, what its name ends in; --formato, either.
    if (!format)
        format = output == QStringLiteral("-") ? ChartFormat::Svg : formatNamed(QFileInfo(output).suffix());
    if (!format)
        return fail(QStringLiteral("El nombre de la salida debe terminar en .png, .pdf o .svg (o dé --formato)."));
    if (*format == ChartFormat::Svg && !svgAvailable())
        return fail(QStringLiteral("Esta compilación no escribe SVG: se construyó sin Qt Svg. "
                                   "Use --formato png o --formato pdf."));
    request.format = *format;

    ExperienceTable table;
    QString error;
    if (!readTableArgument(input, table, &error))
        return fail(fileFailure(input, error));
    const Curves curves = curvesOf(table, request.logarithmic, kChartBuckets);
    request.title = shownFileName(input);
    return writeBytesArgument(output, drawChart(curves, request), &error) ? 0 : fail(error);
}
