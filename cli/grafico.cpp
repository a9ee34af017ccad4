// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/grafico.h"

#include "chart/chart_application.h"
#include "chart/chart_drawing.h"
#include "chart/core/curves.h"
#include "chart/svg_writer.h"
#include "cli/commands.h"
#include "cli/console.h"
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

std::unique_ptr<QCoreApplication> makeChartApplication(int &argc, char **argv)
{
    return makeDrawingApplication(argc, argv);
}

int grafico(const QStringList &args)
{
    QString input, output;
    ChartRequest request;
    std::optional<ChartFormat> format;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == QStringLiteral("-o") || arg == QStringLiteral("--escala") || arg == QStringLiteral("--formato")) {
            if (i + 1 == args.size())
                return fail(QStringLiteral("falta el valor de %1.").arg(arg));
            const QString &value = args[++i];
            if (arg == QStringLiteral("-o")) {
                output = value;
            } else if (arg == QStringLiteral("--formato")) {
                format = formatNamed(value);
                if (!format)
                    return fail(QStringLiteral("--formato admite png, pdf o svg."));
            } else if (value == QStringLiteral("log") || value == QStringLiteral("lineal")) {
                request.logarithmic = value == QStringLiteral("log");
            } else {
                return fail(QStringLiteral("--escala admite log o lineal."));
            }
        } else if (input.isEmpty() && (!arg.startsWith(u'-') || arg == QStringLiteral("-"))) {
            input = arg;
        } else {
            return refuseArgument(arg);
        }
    }
    if (input.isEmpty() || output.isEmpty())
        return fail(QStringLiteral("grafico necesita un archivo y -o SALIDA.png, SALIDA.pdf o SALIDA.svg."));
    // Standard output takes SVG; a file, what its name ends in; --formato, either.
    if (!format)
        format = output == QStringLiteral("-") ? ChartFormat::Svg : formatNamed(QFileInfo(output).suffix());
    if (!format)
        return fail(QStringLiteral("el nombre de la salida debe terminar en .png, .pdf o .svg (o dé --formato)."));
    if (*format == ChartFormat::Svg && !svgAvailable())
        return fail(QStringLiteral("esta compilación no escribe SVG: se construyó sin Qt Svg. "
                                   "Use --formato png o --formato pdf."));
    request.format = *format;

    ExperienceTable table;
    QString error;
    if (!readTableArgument(input, table, &error))
        return fail(QStringLiteral("%1: %2").arg(input, error));
    const Curves curves = curvesOf(table, request.logarithmic, kChartBuckets);
    request.title = input == QStringLiteral("-") ? QStringLiteral("(entrada estándar)") : QFileInfo(input).fileName();
    return writeBytesArgument(output, drawChart(curves, request), &error) ? 0 : fail(error);
}
