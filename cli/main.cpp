// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// vandrel-exp: the editor's table files from the command line.
#include "chart/svg_writer.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/grafico.h"
#include "core/spanish.h"
#include "core/titulo.h"
#include "generation/core/parametros.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

namespace {

// Each command's entry in the usage text: its synopsis and what it does.
struct Command
{
    const char *name;
    const char *help;
    int (*run)(const QStringList &);
    int failureStatus; // 2 where 1 means a finding
};

constexpr Command kCommands[] = {
    {"generar",
     "  vandrel-exp generar [--NobBase N --NobJob N ... --IncNextJob N] [-o ARCHIVO]\n"
     "      Genera una tabla de experiencia y la escribe como el editor la guarda.\n"
     "      Sin -o, o con -o -, la escribe en la salida estándar. En el editor, el nivel n\n"
     "      de una tabla generada lleva la etiqueta n en la cuadrícula.\n",
     generar, 1},
    {"normalizar",
     "  vandrel-exp normalizar ENTRADA SALIDA\n"
     "      Lee un archivo de tabla como el editor lo abre y lo escribe como el editor lo guarda.\n",
     normalizar, 1},
    {"comprobar",
     "  vandrel-exp comprobar ARCHIVO [--tipo int32|uint32|int64] [--niveles N] [--json]\n"
     "      Comprueba que el servidor pueda leer la tabla: una línea por hallazgo,\n"
     "      ARCHIVO:LÍNEA:CAMPO: error|aviso: TEXTO. Sale con 0 sin errores, 1 con errores,\n"
     "      2 si no puede leer el archivo. LÍNEA es la del archivo; en el editor, la fila\n"
     "      n-ésima de un archivo abierto lleva la etiqueta n + 1 en la cuadrícula.\n",
     comprobar, 2},
    {"comparar",
     "  vandrel-exp comparar A B\n"
     "      Lista las celdas distintas, FILA:COLUMNA: VALOR_A -> VALOR_B (A: línea LA;\n"
     "      B: línea LB; cuadrícula: ETIQUETA): FILA es la n-ésima fila de datos, LA y LB\n"
     "      sus líneas en cada archivo, ETIQUETA la que el editor le da en la cuadrícula\n"
     "      al abrir el archivo (n + 1). Sale con 0 si son iguales, 1 si no, 2 si no puede\n"
     "      leer un archivo.\n",
     comparar, 2},
    {"grafico",
     "  vandrel-exp grafico ARCHIVO -o SALIDA [--formato png|pdf|svg] [--escala log|lineal]\n"
     "      Dibuja las catorce columnas frente al nivel: base en un panel, job en otro;\n"
     "      escala logarítmica por omisión. El formato sigue a la extensión de SALIDA\n"
     "      (.png, .pdf, .svg) o a --formato; con -o -, SVG en la salida estándar.\n",
     grafico, 1},
};

QString parameterTable()
{
    QString text = QStringLiteral("Parámetros de generar (números enteros de -32768 a 32767; por omisión, los del "
                                  "editor):\n");
    Parametros defaults;
    ValoresPorDefecto(defaults);
    // Padded by characters, not bytes: "1º Job" lines up with "Novice".
    qsizetype widths[3] = {};
    for (const ParameterField &campo : parameterFields()) {
        widths[0] = std::max(widths[0], QString::fromUtf8(campo.name).size());
        widths[1] = std::max(widths[1], QString::fromUtf8(campo.group).size());
        widths[2] = std::max(widths[2], QString::fromUtf8(campo.label).size());
    }
    for (const ParameterField &campo : parameterFields())
        text += QStringLiteral("  --%1  %2  %3  (%4)\n")
                    .arg(QString::fromUtf8(campo.name).leftJustified(widths[0]),
                         QString::fromUtf8(campo.group).leftJustified(widths[1]),
                         QString::fromUtf8(campo.label).leftJustified(widths[2]))
                    .arg(campo.field(defaults));
    return text;
}

QString commandHelp(const Command &command)
{
    QString text = QString::fromUtf8(command.help);
    if (QLatin1StringView(command.name) == QLatin1StringView("grafico") && !svgAvailable())
        text += QStringLiteral("      (Esta compilación no escribe SVG: se construyó sin Qt Svg.)\n");
    return text;
}

const QString kStandardStreams = QStringLiteral("Un guion (-) como archivo es la entrada o la salida estándar.\n");

// The whole usage: every command, then what they share.
QString usage()
{
    QString text = QStringLiteral("Uso:\n");
    for (const Command &command : kCommands)
        text += commandHelp(command);
    text += QStringLiteral("  vandrel-exp --help | --version\n"
                           "  vandrel-exp COMANDO --help\n\n");
    return text + kStandardStreams + u'\n' + parameterTable();
}

// One command's usage, for COMANDO --help.
QString usageOf(const Command &command)
{
    QString text = QStringLiteral("Uso:\n") + commandHelp(command) + u'\n' + kStandardStreams;
    if (QLatin1StringView(command.name) == QLatin1StringView("generar"))
        text += u'\n' + parameterTable();
    return text;
}

} // namespace

int main(int argc, char **argv)
{
    prepareConsole();
    // QSaveFile wants an application object for its messages; pictures want
    // one that can draw.
    const bool drawing = argc > 1 && std::strcmp(argv[1], "grafico") == 0;
    const std::unique_ptr<QCoreApplication> app =
        drawing ? makeChartApplication(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    useSpanish(*app);
    // Unicode arguments on every platform (argv is the ANSI code page on Windows).
    const QStringList all = QCoreApplication::arguments();
    const QString command = all.value(1);
    const QStringList args = all.mid(2);
    for (const Command &c : kCommands) {
        if (command != QLatin1StringView(c.name))
            continue;
        if (args.size() == 1 && (args[0] == QStringLiteral("--help") || args[0] == QStringLiteral("-h"))) {
            return printText(usageOf(c)) ? 0 : fail(standardOutputFailure(), c.failureStatus);
        }
        try {
            return c.run(args);
        } catch (const std::bad_alloc &) { // the reader says so itself; this is for the rest of the work
            return fail(QStringLiteral("No hay memoria suficiente para terminar la orden. No se ha escrito nada."),
                        c.failureStatus);
        }
    }
    if (all.size() == 2 && (command == QStringLiteral("--help") || command == QStringLiteral("-h"))) {
        return printText(usage()) ? 0 : fail(standardOutputFailure());
    }
    if (all.size() == 2 && command == QStringLiteral("--version"))
        return printText(Titulo() + u'\n') ? 0 : fail(standardOutputFailure());
    if (!command.isEmpty() && !command.startsWith(u'-'))
        return fail(QStringLiteral("orden desconocida: %1 (vea vandrel-exp --help).").arg(command), 2);
    printError(usage());
    return 2;
}
