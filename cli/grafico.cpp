#include "cli/grafico.h"

#include "chart/chart_application.h"
#include "chart/chart_drawing.h"
#include "cli/console.h"
#include "table/core/experience_table.h"

#include <QFileInfo>

bool chartsAvailable()
{
    return true;
}

std::unique_ptr<QCoreApplication> makeChartApplication(int &argc, char **argv)
{
    return makeDrawingApplication(argc, argv);
}

int grafico(const QStringList &args)
{
    QString input, output;
    ChartRequest request;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == QStringLiteral("-o") || arg == QStringLiteral("--escala")) {
            if (i + 1 == args.size())
                return fail(QStringLiteral("falta el valor de %1.").arg(arg));
            const QString &value = args[++i];
            if (arg == QStringLiteral("-o"))
                output = value;
            else if (value == QStringLiteral("log") || value == QStringLiteral("lineal"))
                request.logarithmic = value == QStringLiteral("log");
            else
                return fail(QStringLiteral("--escala admite log o lineal."));
        } else if (input.isEmpty() && (!arg.startsWith(u'-') || arg == QStringLiteral("-"))) {
            input = arg;
        } else {
            return fail(QStringLiteral("opción desconocida: %1 (vea vandrel-exp --help).").arg(arg));
        }
    }
    if (input.isEmpty() || output.isEmpty())
        return fail(QStringLiteral("grafico necesita un archivo y -o SALIDA.svg o SALIDA.png."));
    // Standard output takes SVG; a file, what its name ends in.
    if (output.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        request.format = ChartFormat::Png;
    else if (output != QStringLiteral("-") && !output.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
        return fail(QStringLiteral("el nombre de la salida debe terminar en .svg o .png."));

    ExperienceTable table;
    QString error;
    if (!readTableArgument(input, table, &error))
        return fail(QStringLiteral("%1: %2").arg(input, error));
    request.title = input == QStringLiteral("-") ? QStringLiteral("(entrada estándar)") : QFileInfo(input).fileName();
    return writeBytesArgument(output, drawChart(table, request), &error) ? 0 : fail(error);
}
