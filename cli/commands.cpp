// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/commands.h"

#include "chart/svg_writer.h"
#include "cli/console.h"
#include "cli/job_files.h"
#include "generation/core/parametros.h"

#include <algorithm>
#include <limits>
#include <new>

namespace {

OptionSpec option(const char *name, const char *valueName, const char *help, QStringList allowed = {})
{
    return {QString::fromUtf8(name), QString::fromUtf8(valueName), std::move(allowed), QString::fromUtf8(help)};
}

// generar's options: the twenty parameters, then the output.
std::vector<OptionSpec> generationOptions()
{
    std::vector<OptionSpec> options;
    for (const ParameterField &parameter : parameterFields())
        options.push_back(
            {QStringLiteral("--%1").arg(QString::fromUtf8(parameter.name)),
             QStringLiteral("N"),
             {},
             QStringLiteral("%1, %2").arg(QString::fromUtf8(parameter.group), QString::fromUtf8(parameter.label))});
    options.push_back(option("--cortar", "", "cada columna termina (en 0) en el nivel máximo de su grupo"));
    options.push_back(option("-o", "ARCHIVO", "el archivo de salida (- o sin -o: la salida estándar)"));
    return options;
}

constexpr qsizetype kAnyNumber = std::numeric_limits<qsizetype>::max();

const std::vector<Command> &commands()
{
    static const std::vector<Command> table = {
        {"generar",
         "  vandrel-exp generar [--NobBase N --NobJob N ... --IncNextJob N] [--cortar] [-o ARCHIVO]\n"
         "      Genera una tabla de experiencia y la escribe como el editor la guarda.\n"
         "      Sin -o, o con -o -, la escribe en la salida estándar. En el editor, el nivel n\n"
         "      de una tabla generada lleva la etiqueta n en la cuadrícula. Como en el editor,\n"
         "      cada columna llega al mayor de los niveles máximos; con --cortar, cada una\n"
         "      termina en el de su grupo (--NobJob 10: 0 en Nob Job desde el nivel 10), y\n"
         "      así la leen el servidor y exportar.\n",
         generationOptions(),
         {},
         generar,
         1,
         false,
         true},
        {"normalizar",
         "  vandrel-exp normalizar ENTRADA SALIDA\n"
         "      Lee un archivo de tabla como el editor lo abre y lo escribe como el editor lo guarda.\n",
         {},
         {2, 2, "un archivo de entrada y uno de salida"},
         normalizar,
         1},
        {"comprobar",
         "  vandrel-exp comprobar ARCHIVO... [--tipo int32|uint32|int64] [--niveles N] [--nivel-maximo N]\n"
         "                        [--json | --sarif]\n"
         "      Comprueba que el servidor pueda leer cada tabla: una línea por hallazgo,\n"
         "      ARCHIVO:LÍNEA:CAMPO: error|aviso: TEXTO, y el resumen de cada archivo (con varios,\n"
         "      una línea de total). --sarif: un registro SARIF 2.1.0 para los servicios de\n"
         "      revisión de código. Sale con 0 sin errores, 1 con errores, 2 si no puede leer un\n"
         "      archivo. LÍNEA es la del archivo; en el editor, la fila n-ésima de un archivo\n"
         "      abierto lleva la etiqueta n + 1 en la cuadrícula. Lee además cada tabla como\n"
         "      los servidores (línea de 1022 bytes, 255 niveles, CR solo, 0x1A) y da el último\n"
         "      nivel de cada grupo. --tipo: los servidores que leen esta tabla guardan enteros\n"
         "      de 32 bits con signo (int32, el predeterminado); uint32 e int64 son para\n"
         "      lectores que ampliaron el tipo. --niveles N: el último nivel de cada grupo.\n"
         "      Los archivos YAML de trabajos (job_exp.yml, job_stats.yml: los reconoce por su\n"
         "      cabecera) se cargan juntos, en el orden dado, como el servidor: da el nivel\n"
         "      máximo base y de trabajo de cada trabajo y de dónde sale (ARCHIVO:LÍNEA:COLUMNA),\n"
         "      y los hallazgos: niveles sin experiencia, nombres que el servidor no conoce,\n"
         "      máximos por encima de --nivel-maximo (el MAX_LEVEL del servidor, 275 por\n"
         "      omisión), false, valores de más de 2147483647 (error con --tipo int32).\n"
         "      Un exp_group_db.conf (los servidores que leen libconfig; lo reconoce por\n"
         "      su primer ajuste, o por .conf), con su job_db.conf (--trabajos, o entre\n"
         "      los archivos): cada grupo con su nivel máximo y sus valores como los carga\n"
         "      el servidor, los grupos de cada trabajo, y los hallazgos: valores de más o\n"
         "      de menos, máximos de 0 o por encima de --nivel-maximo (175 por omisión),\n"
         "      valores que se desbordan sin L, arrays que mezclan L y sin L (el servidor\n"
         "      no carga el archivo), grupos que no existen, que faltan o que nadie usa,\n"
         "      trabajos que el servidor no conoce.\n",
         {option("--tipo", "TIPO", "el tipo entero de los valores",
                 {QStringLiteral("int32"), QStringLiteral("uint32"), QStringLiteral("int64")}),
          option("--niveles", "N", "el último nivel que debe tener cada grupo"), serverMaxLevelOption(),
          option("--trabajos", "ARCHIVO", "el db/re/job_db.conf o db/pre-re/job_db.conf del servidor"),
          option("--json", "", "el informe en JSON"), option("--sarif", "", "el informe en SARIF 2.1.0")},
         {1, kAnyNumber, "un archivo", true},
         comprobar,
         2},
        {"comparar",
         "  vandrel-exp comparar A B\n"
         "      Lista las celdas distintas, FILA:COLUMNA: VALOR_A -> VALOR_B (A: línea LA;\n"
         "      B: línea LB; cuadrícula: ETIQUETA): FILA es la n-ésima fila de datos, LA y LB\n"
         "      sus líneas en cada archivo, ETIQUETA la que el editor le da en la cuadrícula\n"
         "      al abrir el archivo (n + 1). Sale con 0 si son iguales, 1 si no, 2 si no puede\n"
         "      leer un archivo.\n",
         {},
         {2, 2, "dos archivos", true},
         comparar,
         2},
        {"exportar",
         "  vandrel-exp exportar TABLA [-o SALIDA] [--base job_exp.yml] [--nivel-maximo N]\n"
         "      Escribe la tabla como la base de datos de trabajos en YAML que leen los\n"
         "      servidores de hoy (Header JOB_STATS): una entrada por columna, con los trabajos\n"
         "      que cubre; las columnas iguales comparten entrada. El nivel máximo de cada una\n"
         "      es su primera fila con 0 (o menos). En el servidor va en\n"
         "      db/import/job_stats.yml: con -o db/import/job_stats.yml escribe en ese archivo\n"
         "      solo su bloque, entre dos líneas de comentario (>>> y <<<), y deja el resto\n"
         "      como estaba; si el archivo no existe, lo crea entero (Version 2). --base\n"
         "      db/re/job_exp.yml (o db/pre-re/...): cada columna cubre el grupo de ese archivo\n"
         "      que tiene su trabajo (Novice, Swordman, Knight, Supernovice, Novice_High,\n"
         "      Swordman_High, Lord_Knight), sin partir ninguno; sin --base, las listas de\n"
         "      pre-renewal. Después carga lo que cargará el servidor y avisa donde un trabajo\n"
         "      no termina con la curva de su columna. Sin -o, o con -o -, en la salida estándar.\n"
         "  vandrel-exp exportar TABLA --formato libconfig -o exp_group_db.conf\n"
         "                       [--trabajos job_db.conf] [--separar] [--nivel-maximo N]\n"
         "      Para los servidores que leen libconfig (también si SALIDA termina en .conf):\n"
         "      escribe cada columna en el grupo de db/re/exp_group_db.conf (o pre-re) que usa\n"
         "      su trabajo en job_db.conf (sin --trabajos, los del servidor: FirstClasses,\n"
         "      TranscendedClasses, Novice ...), y cambia solo el MaxLevel y el Exp de esos\n"
         "      grupos; el resto del archivo queda como estaba. Si el archivo no existe, lo\n"
         "      crea entero. Un valor por encima de 2147483647 lleva L, y entonces todos los de\n"
         "      su grupo. Si columnas de un mismo grupo tienen curvas distintas, no escribe\n"
         "      nada; con --separar añade un grupo para cada curva distinta junto al suyo y\n"
         "      cambia en job_db.conf solo el BaseExpGroup o JobExpGroup de los trabajos de\n"
         "      esas columnas. Después carga los archivos como el servidor y avisa donde un\n"
         "      trabajo no termina con la curva de su columna.\n",
         {option("-o", "SALIDA", "el archivo YAML (- o sin -o: la salida estándar) o el exp_group_db.conf"),
          option("--base", "ARCHIVO", "el db/re/job_exp.yml o db/pre-re/job_exp.yml del servidor"),
          option("--formato", "FORMATO", "la familia de servidores",
                 {QStringLiteral("yaml"), QStringLiteral("libconfig")}),
          option("--trabajos", "ARCHIVO", "el db/re/job_db.conf o db/pre-re/job_db.conf del servidor"),
          option("--separar", "", "parte los grupos que comparten columnas de curvas distintas"),
          serverMaxLevelOption()},
         {1, 1, "un archivo de tabla"},
         exportar,
         1},
        {"importar",
         "  vandrel-exp importar ARCHIVO.yml... [-o SALIDA] [--nivel-maximo N]\n"
         "      Lee una base de datos de trabajos en YAML (db/re/job_exp.yml del servidor,\n"
         "      db/import/job_stats.yml o lo que escribió exportar) y escribe la tabla como el\n"
         "      editor la guarda. Con varios archivos, los carga en orden, como el servidor:\n"
         "      importar db/re/job_exp.yml db/import/job_stats.yml. Cada columna lee un\n"
         "      trabajo (Novice, Swordman, Knight, Supernovice, Novice_High, Swordman_High,\n"
         "      Lord_Knight) como lo deja el servidor y vale 0 desde su nivel máximo; avisa\n"
         "      donde el servidor hace otra cosa que lo que parece (false, un nombre que no\n"
         "      conoce, un máximo por encima de --nivel-maximo).\n"
         "  vandrel-exp importar exp_group_db.conf [--trabajos job_db.conf] [-o SALIDA]\n"
         "      Lee los grupos de experiencia de los servidores que leen libconfig: cada\n"
         "      columna, el grupo de su trabajo en job_db.conf (sin --trabajos, el que le da el\n"
         "      servidor), como lo carga el servidor (valores de más cortados, de menos\n"
         "      rellenados con el último, desbordados sin L); avisa de cada cosa así.\n",
         {option("-o", "SALIDA", "el archivo de tabla (- o sin -o: la salida estándar)"), serverMaxLevelOption(),
          option("--trabajos", "ARCHIVO", "el db/re/job_db.conf o db/pre-re/job_db.conf del servidor")},
         {1, kAnyNumber, "un archivo YAML o un exp_group_db.conf", true},
         importar,
         1},
        {"grafico",
         "  vandrel-exp grafico ARCHIVO -o SALIDA [--formato png|pdf|svg] [--escala log|lineal]\n"
         "      Dibuja las catorce columnas frente al nivel: base en un panel, job en otro;\n"
         "      escala logarítmica por omisión. El formato sigue a la extensión de SALIDA\n"
         "      (.png, .pdf, .svg) o a --formato; con -o -, SVG en la salida estándar.\n",
         {option("-o", "SALIDA", "el dibujo (- : la salida estándar)"),
          option("--formato", "FORMATO", "el formato del dibujo",
                 {QStringLiteral("png"), QStringLiteral("pdf"), QStringLiteral("svg")}),
          option("--escala", "ESCALA", "la escala de la experiencia",
                 {QStringLiteral("log"), QStringLiteral("lineal")})},
         {1, 1, "un archivo y -o SALIDA.png, SALIDA.pdf o SALIDA.svg"},
         grafico,
         1,
         true},
    };
    return table;
}

QString parameterTable()
{
    QString text = QStringLiteral("Parámetros de generar (números enteros de -32768 a 32767; por omisión, los del "
                                  "editor):\n");
    Parametros defaults;
    ValoresPorDefecto(defaults);
    // Padded by characters, not bytes: "1º Job" lines up with "Novice".
    qsizetype widths[3] = {};
    for (const ParameterField &parameter : parameterFields()) {
        widths[0] = std::max(widths[0], QString::fromUtf8(parameter.name).size());
        widths[1] = std::max(widths[1], QString::fromUtf8(parameter.group).size());
        widths[2] = std::max(widths[2], QString::fromUtf8(parameter.label).size());
    }
    for (const ParameterField &parameter : parameterFields())
        text += QStringLiteral("  --%1  %2  %3  (%4)\n")
                    .arg(QString::fromUtf8(parameter.name).leftJustified(widths[0]),
                         QString::fromUtf8(parameter.group).leftJustified(widths[1]),
                         QString::fromUtf8(parameter.label).leftJustified(widths[2]))
                    .arg(parameter.field(defaults));
    return text;
}

QString commandHelp(const Command &command)
{
    QString text = QString::fromUtf8(command.help);
    if (command.draws && !svgAvailable())
        text += QStringLiteral("      (Esta compilación no escribe SVG: se construyó sin Qt Svg.)\n");
    return text;
}

const QString kConventions =
    QStringLiteral("Un guion (-) como archivo es la entrada o la salida estándar. Las opciones con valor se\n"
                   "dan como --opción valor o --opción=valor; -- termina las opciones (lo que sigue son\n"
                   "archivos, aunque empiecen por -); una opción repetida es un error.\n");

} // namespace

std::span<const Command> commandTable()
{
    return commands();
}

const Command *findCommand(const QString &name)
{
    for (const Command &command : commands())
        if (name == QLatin1StringView(command.name))
            return &command;
    return nullptr;
}

int runCommand(const Command &command, const QStringList &args)
{
    ParsedArguments parsed;
    QString error;
    if (!parseArguments(QString::fromLatin1(command.name), args, command.options, command.operands, &parsed, &error))
        return fail(error, command.failureStatus);
    try {
        return command.run(parsed);
    } catch (const std::bad_alloc &) { // the reader says so itself; this is for the rest of the work
        return fail(QStringLiteral("No hay memoria suficiente para terminar la orden. No se ha escrito nada."),
                    command.failureStatus);
    }
}

bool asksForHelp(const Command &command, const QStringList &args)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == QStringLiteral("--"))
            return false;
        if (arg == QStringLiteral("--help") || arg == QStringLiteral("-h"))
            return true;
        const auto takesValue = std::find_if(command.options.begin(), command.options.end(), [&](const OptionSpec &o) {
            return o.name == arg && !o.valueName.isEmpty();
        });
        if (takesValue != command.options.end())
            ++i; // its value, whatever it is
    }
    return false;
}

QString completionWords(const QStringList &words)
{
    QStringList answer;
    const Command *command = words.isEmpty() ? nullptr : findCommand(words[0]);
    if (words.isEmpty()) {
        for (const Command &c : commands())
            answer << QString::fromLatin1(c.name);
        answer << QStringLiteral("--help") << QStringLiteral("--version");
    } else if (command && words.size() == 1) {
        for (const OptionSpec &option : command->options)
            answer << option.name;
        answer << QStringLiteral("--help") << QStringLiteral("--");
        if (command->operands.max == 0)
            answer << QStringLiteral("@sin_archivos"); // the completion offers no file names

    } else if (command && words.size() == 2) {
        for (const OptionSpec &option : command->options)
            if (option.name == words[1] && !option.valueName.isEmpty())
                answer = !option.allowed.isEmpty() ? option.allowed
                         : option.valueName == QStringLiteral("ARCHIVO") || option.valueName == QStringLiteral("SALIDA")
                             ? QStringList{QStringLiteral("@archivo")}
                             : QStringList{QStringLiteral("@valor")};
    }
    return answer.isEmpty() ? QString() : answer.join(u'\n') + u'\n';
}

QString usage()
{
    QString text = QStringLiteral("Uso:\n");
    for (const Command &command : commands())
        text += commandHelp(command);
    text += QStringLiteral("  vandrel-exp --help | --version\n"
                           "  vandrel-exp COMANDO --help\n\n");
    return text + kConventions + u'\n' + parameterTable();
}

QString usageOf(const Command &command)
{
    QString text = QStringLiteral("Uso:\n") + commandHelp(command) + u'\n' + kConventions;
    if (command.parameterList)
        text += u'\n' + parameterTable();
    return text;
}
