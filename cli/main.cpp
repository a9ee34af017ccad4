// vandrel-exp: the editor's table files from the command line.
#include "core/spanish.h"
#include "generation/core/generador.h"
#include "generation/core/parametros.h"
#include "table/core/experience_table.h"
#include "table/core/table_file.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char kUso[] = "Uso:\n"
                    "  vandrel-exp generar [--NobBase N --NobJob N ... --IncNextJob N] [-o ARCHIVO]\n"
                    "      Genera una tabla de experiencia y la escribe como el editor la guarda.\n"
                    "      Sin -o la escribe en la salida estándar.\n"
                    "  vandrel-exp normalizar ENTRADA SALIDA\n"
                    "      Lee un archivo de tabla como el editor lo abre y lo escribe como el editor lo guarda.\n"
                    "  vandrel-exp --help\n"
                    "\n"
                    "Parámetros de generar (números enteros de -32768 a 32767; por omisión, los del editor):\n";

void printUsage(FILE *to)
{
    QString usage = QString::fromUtf8(kUso);
    Parametros defaults;
    ValoresPorDefecto(defaults);
    // Padded by characters, not bytes: "1º Job" lines up with "Novice".
    qsizetype widths[3] = {};
    for (const CampoParametro &campo : camposParametros()) {
        widths[0] = std::max(widths[0], qsizetype(std::strlen(campo.name)));
        widths[1] = std::max(widths[1], QString::fromUtf8(campo.grupo).size());
        widths[2] = std::max(widths[2], QString::fromUtf8(campo.etiqueta).size());
    }
    for (const CampoParametro &campo : camposParametros())
        usage += QStringLiteral("  --%1  %2  %3  (%4)\n")
                     .arg(QString::fromLatin1(campo.name).leftJustified(widths[0]),
                          QString::fromUtf8(campo.grupo).leftJustified(widths[1]),
                          QString::fromUtf8(campo.etiqueta).leftJustified(widths[2]))
                     .arg(campo.field(defaults));
    std::fputs(usage.toLocal8Bit().constData(), to);
}

int fail(const QString &message)
{
    std::fprintf(stderr, "vandrel-exp: %s\n", message.toLocal8Bit().constData());
    return 1;
}

// Writes the whole file, or to standard output when path is empty.
int writeOut(const QString &path, const ExperienceTable &table)
{
    QString error;
    if (!path.isEmpty())
        return writeTableFile(path, table, &error) ? 0 : fail(error);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!GuardarTabla(buffer, table, &error))
        return fail(error);
    const QByteArray &bytes = buffer.data();
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size())
        || std::fflush(stdout) != 0)
        return fail(QStringLiteral("No se pudo escribir en la salida estándar."));
    return 0;
}

int generar(int argc, char **argv)
{
    Parametros parametros;
    ValoresPorDefecto(parametros);
    QString output;
    for (int i = 2; i < argc; ++i) {
        const char *arg = argv[i];
        if (std::strcmp(arg, "-o") == 0) {
            if (++i == argc)
                return fail(QStringLiteral("falta el nombre del archivo después de -o."));
            output = QString::fromLocal8Bit(argv[i]);
            continue;
        }
        const int campo = std::strncmp(arg, "--", 2) == 0 ? campoPorNombre(arg + 2) : -1;
        if (campo < 0)
            return fail(
                QStringLiteral("opción desconocida: %1 (vea vandrel-exp --help).").arg(QString::fromLocal8Bit(arg)));
        if (++i == argc)
            return fail(QStringLiteral("falta el valor de %1.").arg(QString::fromLocal8Bit(arg)));
        const std::optional<int16_t> value = parseParameterValue(QString::fromLocal8Bit(argv[i]));
        if (!value)
            return fail(parameterValueError(QString::fromLocal8Bit(arg)));
        camposParametros()[size_t(campo)].field(parametros) = *value;
    }
    ExperienceTable table;
    QString error;
    if (!GenerarTabla(NivelMaximo(parametros), parametros, table, &error))
        return fail(error);
    return writeOut(output, table);
}

int normalizar(int argc, char **argv)
{
    if (argc != 4)
        return fail(QStringLiteral("normalizar necesita un archivo de entrada y uno de salida."));
    ExperienceTable table;
    QString error;
    if (!readTableFile(QString::fromLocal8Bit(argv[2]), table, &error))
        return fail(QStringLiteral("%1: %2").arg(QString::fromLocal8Bit(argv[2]), error));
    return writeOut(QString::fromLocal8Bit(argv[3]), table);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv); // QSaveFile wants an application object for its messages
    useSpanish(app);
    if (argc >= 2 && std::strcmp(argv[1], "generar") == 0)
        return generar(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "normalizar") == 0)
        return normalizar(argc, argv);
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        printUsage(stdout);
        return 0;
    }
    printUsage(stderr);
    return 2;
}
