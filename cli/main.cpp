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
                    "  vandrel-exp grafico ARCHIVO -o SALIDA [--formato png|pdf|svg] [--escala log|lineal]\n"
                    "      Dibuja las catorce columnas frente al nivel: base en un panel, job en otro;\n"
                    "      escala logarítmica por omisión. El formato sigue a la extensión de SALIDA\n"
                    "      (.png, .pdf, .svg) o a --formato; con -o -, SVG en la salida estándar.\n"
                    "%1"
                    "  vandrel-exp --help | --version\n"
                    "\n"
                    "Un guion (-) como archivo es la entrada o la salida estándar.\n"
                    "\n"
                    "Parámetros de generar (números enteros de -32768 a 32767; por omisión, los del editor):\n";

QString usage()
{
    QString text = QString::fromUtf8(kUso).arg(
        svgAvailable() ? QString() : QStringLiteral("      (Esta compilación no escribe SVG: se construyó sin Qt Svg.)\n"));
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
    struct Command
    {
        const char *name;
        int (*run)(const QStringList &);
        int failureStatus; // 2 where 1 means a finding
    };
    static constexpr Command kCommands[] = {{"generar", generar, 1},    {"normalizar", normalizar, 1},
                                            {"comprobar", comprobar, 2}, {"comparar", comparar, 2},
                                            {"grafico", grafico, 1}};
    for (const Command &c : kCommands) {
        if (command != QLatin1StringView(c.name))
            continue;
        try {
            return c.run(args);
        } catch (const std::bad_alloc &) { // the reader says so itself; this is for the rest of the work
            return fail(QStringLiteral("No hay memoria suficiente para terminar la orden. No se ha escrito nada."),
                        c.failureStatus);
        }
    }
    if (all.size() == 2 && (command == QStringLiteral("--help") || command == QStringLiteral("-h"))) {
        printText(usage());
        return 0;
    }
    if (all.size() == 2 && command == QStringLiteral("--version")) {
        printText(Titulo() + u'\n');
        return 0;
    }
    if (!command.isEmpty() && !command.startsWith(u'-'))
        return fail(QStringLiteral("orden desconocida: %1 (vea vandrel-exp --help).").arg(command), 2);
    printError(usage());
    return 2;
}
