// vandrel-exp: the editor's table files from the command line.
#include "cli/console.h"
#include "cli/grafico.h"
#include "cli/table_checks.h"
#include "core/spanish.h"
#include "core/titulo.h"
#include "generation/core/generador.h"
#include "generation/core/parametros.h"
#include "table/core/experience_table.h"
#include "table/core/table_file.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

const char kUso[] = "Uso:\n"
                    "  vandrel-exp generar [--NobBase N --NobJob N ... --IncNextJob N] [-o ARCHIVO]\n"
                    "      Genera una tabla de experiencia y la escribe como el editor la guarda.\n"
                    "      Sin -o, o con -o -, la escribe en la salida estándar.\n"
                    "  vandrel-exp normalizar ENTRADA SALIDA\n"
                    "      Lee un archivo de tabla como el editor lo abre y lo escribe como el editor lo guarda.\n"
                    "  vandrel-exp comprobar ARCHIVO [--tipo int32|uint32|int64] [--niveles N] [--json]\n"
                    "      Comprueba que el servidor pueda leer la tabla: una línea por hallazgo,\n"
                    "      ARCHIVO:LÍNEA:CAMPO: error|aviso: TEXTO. Sale con 0 sin errores, 1 con errores,\n"
                    "      2 si no puede leer el archivo.\n"
                    "  vandrel-exp comparar A B\n"
                    "      Lista las celdas distintas, NIVEL:COLUMNA: VALOR_A -> VALOR_B. Sale con 0 si son\n"
                    "      iguales, 1 si no, 2 si no puede leer un archivo.\n"
                    "  vandrel-exp grafico ARCHIVO -o SALIDA.svg|SALIDA.png [--escala log|lineal]\n"
                    "      Dibuja las catorce columnas frente al nivel: base en un panel, job en otro;\n"
                    "      escala logarítmica por omisión. Con -o -, SVG en la salida estándar.\n"
                    "%1"
                    "  vandrel-exp --help | --version\n"
                    "\n"
                    "Un guion (-) como archivo es la entrada o la salida estándar.\n"
                    "\n"
                    "Parámetros de generar (números enteros de -32768 a 32767; por omisión, los del editor):\n";

QString usage()
{
    QString text = QString::fromUtf8(kUso).arg(
        chartsAvailable() ? QString()
                          : QStringLiteral("      (No disponible en esta compilación: se construyó sin Qt Charts.)\n"));
    Parametros defaults;
    ValoresPorDefecto(defaults);
    // Padded by characters, not bytes: "1º Job" lines up with "Novice".
    qsizetype widths[3] = {};
    for (const CampoParametro &campo : camposParametros()) {
        widths[0] = std::max(widths[0], QString::fromUtf8(campo.name).size());
        widths[1] = std::max(widths[1], QString::fromUtf8(campo.grupo).size());
        widths[2] = std::max(widths[2], QString::fromUtf8(campo.etiqueta).size());
    }
    for (const CampoParametro &campo : camposParametros())
        text += QStringLiteral("  --%1  %2  %3  (%4)\n")
                    .arg(QString::fromUtf8(campo.name).leftJustified(widths[0]),
                         QString::fromUtf8(campo.grupo).leftJustified(widths[1]),
                         QString::fromUtf8(campo.etiqueta).leftJustified(widths[2]))
                    .arg(campo.field(defaults));
    return text;
}

int generar(const QStringList &args)
{
    Parametros parametros;
    ValoresPorDefecto(parametros);
    QString output;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == QStringLiteral("-o")) {
            if (++i == args.size())
                return fail(QStringLiteral("falta el nombre del archivo después de -o."));
            output = args[i];
            continue;
        }
        const int campo = arg.startsWith(QStringLiteral("--")) ? campoPorNombre(arg.mid(2).toUtf8().constData()) : -1;
        if (campo < 0)
            return fail(QStringLiteral("opción desconocida: %1 (vea vandrel-exp --help).").arg(arg));
        if (++i == args.size())
            return fail(QStringLiteral("falta el valor de %1.").arg(arg));
        const std::optional<int16_t> value = parseParameterValue(args[i]);
        if (!value)
            return fail(parameterValueError(arg));
        camposParametros()[size_t(campo)].field(parametros) = *value;
    }
    ExperienceTable table;
    QString error;
    if (!GenerarTabla(NivelMaximo(parametros), parametros, table, &error))
        return fail(error);
    return writeTableArgument(output, table, &error) ? 0 : fail(error);
}

int normalizar(const QStringList &args)
{
    if (args.size() != 2)
        return fail(QStringLiteral("normalizar necesita un archivo de entrada y uno de salida."));
    ExperienceTable table;
    QString error;
    if (!readTableArgument(args[0], table, &error))
        return fail(QStringLiteral("%1: %2").arg(args[0], error));
    return writeTableArgument(args[1], table, &error) ? 0 : fail(error);
}

} // namespace

int main(int argc, char **argv)
{
    prepareConsole();
    // QSaveFile wants an application object for its messages; charts want
    // one that can draw.
    const bool drawing = argc > 1 && std::strcmp(argv[1], "grafico") == 0;
    const std::unique_ptr<QCoreApplication> app =
        drawing ? makeChartApplication(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    useSpanish(*app);
    // Unicode arguments on every platform (argv is the ANSI code page on Windows).
    const QStringList all = QCoreApplication::arguments();
    const QString command = all.value(1);
    const QStringList args = all.mid(2);
    if (command == QStringLiteral("generar"))
        return generar(args);
    if (command == QStringLiteral("normalizar"))
        return normalizar(args);
    if (command == QStringLiteral("comprobar"))
        return comprobar(args);
    if (command == QStringLiteral("comparar"))
        return comparar(args);
    if (command == QStringLiteral("grafico"))
        return grafico(args);
    if (all.size() == 2 && (command == QStringLiteral("--help") || command == QStringLiteral("-h"))) {
        printText(usage());
        return 0;
    }
    if (all.size() == 2 && command == QStringLiteral("--version")) {
        printText(Titulo() + u'\n');
        return 0;
    }
    printError(usage());
    return 2;
}
