// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "address_space.h"
#include "cli/commands.h"
#include "core/file_identity.h"
#include "core/system_error.h"
#include "generation/core/generador.h"
#include "generation/core/parametros.h"
#include "server/core/table_check.h"
#include "server/group_files.h"
#include "table/core/experience_table.h"
#include "table/core/table_file.h"
#include "test_files.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QXmlStreamReader>
#include <QtEndian>

#include <yaml-cpp/yaml.h>

#include "server/job_files.h"

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <fstream>
#include <string>

#if defined(Q_OS_WIN)
#include <windows.h>
#endif

#if defined(Q_OS_UNIX)
#include <csignal>
#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

namespace {

// comprobar's line of the groups' last levels, for a table where every
// group ends at `level`.
QString lastLevelsLine(int level)
{
    QStringList groups;
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column)
        groups << QStringLiteral("%1 %2").arg(columnName(column)).arg(level);
    return QStringLiteral("Último nivel: %1\n").arg(groups.join(QStringLiteral(", ")));
}

struct Run
{
    int exitCode;
    QByteArray out;
    QByteArray err;
};

// Text the tool writes (messages, reports) with LF line ends. On Windows it
// ends its lines in CR LF, and a line ending in LF alone is a fault the
// result then shows.
QByteArray withUnixLineEnds(const QByteArray &text)
{
#if defined(Q_OS_WIN)
    if (text.count('\n') != text.count("\r\n"))
        return "<a line ends in LF alone> " + text;
    QByteArray lines = text;
    lines.replace("\r\n", "\n");
    return lines;
#else
    return text;
#endif
}

Run runCli(const QStringList &arguments,
           const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
           const QByteArray &input = {}, const QString &workingDirectory = {})
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workingDirectory);
#if defined(Q_OS_WIN)
    // As a script's pipe or a service starts it: with no console. Qt would
    // give it a hidden one, in whose code page its text would then come
    // (the end-to-end run checks that case, at code page 850).
    process.setCreateProcessArgumentsModifier(
        [](QProcess::CreateProcessArguments *arguments) { arguments->flags |= DETACHED_PROCESS; });
#endif
    // Under Wine a start now and then fails outright on a busy machine: tried
    // again, and said so, rather than read as a run that exited with 0.
    for (int attempt = 1;; ++attempt) {
        process.start(qEnvironmentVariable("VEXP_CLI"), arguments);
        if (process.waitForStarted(30000))
            break;
        if (attempt == 3)
            return {-2, {}, "<not started: " + process.errorString().toUtf8() + ">"};
        qWarning("the tool did not start (%s); starting it again", qPrintable(process.errorString()));
    }
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {-1, {}, "<still running after 60 s>"};
    }
    // Tables and pictures are bytes; reports, help and messages are text.
    const QString command = arguments.value(0);
    const bool textOut = command == QStringLiteral("comprobar") || command == QStringLiteral("comparar")
                         || command.startsWith(u'-') || arguments.contains(QStringLiteral("--help"))
                         || arguments.contains(QStringLiteral("-h"));
    const QByteArray out = process.readAllStandardOutput();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            textOut ? withUnixLineEnds(out) : out, withUnixLineEnds(process.readAllStandardError())};
}

Run runCliWithInput(const QStringList &arguments, const QByteArray &input)
{
    return runCli(arguments, QProcessEnvironment::systemEnvironment(), input);
}

// Builds without Qt Svg (Windows) say so in their help, and refuse SVG.
bool svgBuilt()
{
    return !runCli({QStringLiteral("--help")}).out.contains("sin Qt Svg");
}
} // namespace

class TestCli : public QObject
{
    Q_OBJECT
    PrivateCacheHome cache_; // the backups of saves written in place

private slots:
    void generarWritesTheDefaultTable();
    void generarTakesTheBoxParameters();
    void generarWarnsOfValuesPastTheServer();
    void failuresWriteNothing_data();
    void failuresWriteNothing();
    void targetsThatTakeNoTable_data();
    void targetsThatTakeNoTable();
    void aBackupLeftBehindIsNamed();
    void normalizarRoundTrips_data();
    void normalizarRoundTrips();
    void parameterValuesAsTheDialog_data();
    void parameterValuesAsTheDialog();
    void helpLinesUpByCharacters();
    void eachCommandHasItsHelp_data();
    void eachCommandHasItsHelp();
    void comprobarFindings_data();
    void comprobarFindings();
    void comprobarCleanTable();
    void comprobarSeveralFiles();
    void preCommitHook();
    void bashCompletion_data();
    void bashCompletion();
    void compararTables();
    void graficoPicturesWithoutDisplay_data();
    void graficoPicturesWithoutDisplay();
    void graficoRefusals_data();
    void graficoRefusals();
    void boundsRefused_data();
    void boundsRefused();
    void allocationFailureRefused_data();
    void allocationFailureRefused();
    void standardStreams_data();
    void standardStreams();
    void refusedArguments_data();
    void refusedArguments();
    void optionConventions_data();
    void optionConventions();
    void writeFailureGivesTheReason_data();
    void writeFailureGivesTheReason();
    void writesKeepWhatTheTargetIs_data();
    void writesKeepWhatTheTargetIs();
    void standardOutputAppendedTo();
    void latin1NamesAsGiven_data();
    void latin1NamesAsGiven();
    void reasonsInSpanish_data();
    void reasonsInSpanish();
    void textOutputIsOneLineAFinding();
    void unwritableStandardOutput_data();
    void unwritableStandardOutput();
    void exportarWritesTheDatabase();
    void exportarRefusesAndWarns_data();
    void exportarRefusesAndWarns();
    void exportarIntoTheImportFile();
    void exportarWithTheServersGroups();
    void importarReadsTheChain();
    void importarRefusals_data();
    void importarRefusals();
    void exportarImportarRoundTrip_data();
    void exportarImportarRoundTrip();
    void comprobarOfAChain();
    void groupFilesContract();
    void sarifSaysWhatWasNotRead();
    void manualListsEveryOption();
    void helpAnywhere_data();
    void helpAnywhere();
    void generarCortar();
};

void TestCli::generarWritesTheDefaultTable()
{
    // The golden table the generator's own tests pin, byte for byte.
    const Run run = runCli({QStringLiteral("generar")});
    QCOMPARE(run.exitCode, 0);
    const QString golden = QFINDTESTDATA("generation/golden/defecto_99.txt");
    QVERIFY(!golden.isEmpty());
    QCOMPARE(run.out, fileBytes(golden));
}

void TestCli::generarTakesTheBoxParameters()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Exp.txt"));
    const Run run = runCli({QStringLiteral("generar"), QStringLiteral("--NobJob"), QStringLiteral("120"),
                            QStringLiteral("--MultExp"), QStringLiteral("20"), QStringLiteral("-o"), path});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.isEmpty());

    Parametros p;
    ValoresPorDefecto(p);
    p.NivelesMax[2] = 120;
    p.MultExp = 20;
    ExperienceTable table;
    QString error;
    QVERIFY(GenerarTabla(NivelMaximo(p), p, table, &error));
    QCOMPARE(fileBytes(path), savedBytes(table));
    QCOMPARE(fileBytes(path).count('\n'), 121);
}

void TestCli::failuresWriteNothing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown option") << QStringList{QStringLiteral("generar"), QStringLiteral("--Nada"),
                                                   QStringLiteral("1")}
                                    << QStringLiteral("Opción desconocida");
    QTest::newRow("not a number") << QStringList{QStringLiteral("generar"), QStringLiteral("--MultExp"),
                                                 QStringLiteral("diez")}
                                  << QStringLiteral("número entero");
    QTest::newRow("out of 16 bits") << QStringList{QStringLiteral("generar"), QStringLiteral("--NobBase"),
                                                   QStringLiteral("32768")}
                                    << QStringLiteral("-32768 a 32767");
    QTest::newRow("overflowing generation")
        << QStringList{QStringLiteral("generar"),    QStringLiteral("--MultExp"), QStringLiteral("32767"),
                       QStringLiteral("--NextBase"), QStringLiteral("0"),         QStringLiteral("--IncNextBase"),
                       QStringLiteral("1")}
        << QStringLiteral("en el nivel 2");
#if defined(Q_OS_WIN)
    // Windows words these in the system's own language: the file is named, then its words.
    const QString missing = QStringLiteral("/nonexistent/Exp.txt: "), folder = QStringLiteral("/: ");
#else
    const QString missing = QStringLiteral(
                      "/nonexistent/Exp.txt: No existe el archivo o la carpeta"), // ours, in every locale
        folder = QStringLiteral("/: El archivo a abrir es un directorio.");
#endif
    QTest::newRow("missing input") << QStringList{QStringLiteral("normalizar"), QStringLiteral("/nonexistent/Exp.txt")}
                                   << missing;
    QTest::newRow("endless input") << QStringList{QStringLiteral("normalizar"), QStringLiteral("/dev/zero")}
                                   << QStringLiteral("/dev/zero: El archivo tiene una línea de más de 64 MiB");
    QTest::newRow("a folder, in Qt's Spanish")
        << QStringList{QStringLiteral("normalizar"), QStringLiteral("/")} << folder;
}

void TestCli::failuresWriteNothing()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Exp.txt"));
    QVERIFY(putFile(path, "antes\r\n"));
    if (arguments.first() == QStringLiteral("generar"))
        arguments << QStringLiteral("-o") << path;
    else
        arguments << path;
    const Run run = runCli(arguments);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(QString::fromUtf8(run.err).contains(message), run.err.constData());
    QCOMPARE(fileBytes(path), QByteArray("antes\r\n"));
}

void TestCli::targetsThatTakeNoTable_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("reason");
#if defined(Q_OS_WIN)
    const QString device = QStringLiteral(" es el nombre de un dispositivo de Windows, no de un archivo: no se ha "
                                          "escrito nada.");
    QTest::newRow("AUX") << QStringLiteral("AUX") << QStringLiteral("AUX") + device;
    QTest::newRow("com1.txt, in a folder") << QStringLiteral("tablas\\com1.txt") << QStringLiteral("COM1") + device;
    QTest::newRow("CON") << QStringLiteral("CON") << QStringLiteral("CON") + device;
#else
    const QString madeUp = QStringLiteral(
        "Es un archivo que el sistema genera al leerlo (/proc, /sys), no un archivo de datos: no se ha escrito nada.");
    QTest::newRow("/proc/self/status") << QStringLiteral("/proc/self/status") << madeUp;
    QTest::newRow("/proc/self/environ") << QStringLiteral("/proc/self/environ") << madeUp;
#endif
}

void TestCli::targetsThatTakeNoTable()
{
    QFETCH(QString, target);
    QFETCH(QString, reason);
    // Refused with exit 1 and one line, nothing "saved" with exit 0, and no
    // backup of what the name showed (for environ, the environment).
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("tablas")));
    const Run run = runCli({QStringLiteral("generar"), QStringLiteral("-o"), target},
                           QProcessEnvironment::systemEnvironment(), {}, dir.path());
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(QString::fromUtf8(run.err), QStringLiteral("vandrel-exp: %1: %2\n").arg(target, reason));
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(QDir(dir.filePath(QStringLiteral("tablas"))).entryList(QDir::Files), QStringList());
    QCOMPARE(QDir(cache_.path() + QStringLiteral("/vandrel-exp-editor")).entryList(QDir::Files), QStringList());
}

void TestCli::aBackupLeftBehindIsNamed()
{
    // A save of Exp.txt was killed midway and its backup stayed: the next
    // write of that file says where it is, on standard error, and saves.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Exp.txt"));
    QVERIFY(putFile(path, "antes\r\n"));
    const FileIdentity identity = identityOf(path);
    const QString backup = QDir::toNativeSeparators(cache_.path()
                                                    + QStringLiteral("/vandrel-exp-editor/Exp.txt.%1-%2.copia")
                                                          .arg(identity.device, 0, 16)
                                                          .arg(identity.file, 0, 16));
    QVERIFY(QDir().mkpath(QFileInfo(backup).path()));
    QVERIFY(putFile(backup, "//la tabla de antes\r\n"));
    const Run run = runCli({QStringLiteral("generar"), QStringLiteral("-o"), path});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QString::fromUtf8(run.err),
             QStringLiteral("vandrel-exp: aviso: %1: Hay una copia de seguridad de este archivo de un guardado "
                            "interrumpido: %2.\n")
                 .arg(path, backup));
    QVERIFY(fileBytes(path).startsWith(savedComment()));
    QCOMPARE(fileBytes(backup), QByteArray("//la tabla de antes\r\n")); // the backup is the admin's to take
    QVERIFY(QFile::remove(backup));
}

void TestCli::normalizarRoundTrips_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("output");
    const QByteArray c = savedComment();
    QTest::newRow("empty file") << QByteArray() << c;
    QTest::newRow("no comment, LF ends") << QByteArray("1,2\n3\n") << c + "1,2,,,,,,,,,,,,\r\n";
    QTest::newRow("three fields") << QByteArray("1,2,3\r\n") << c + "1,2,3,,,,,,,,,,,\r\n";
    QTest::newRow("sixteen fields")
        << QByteArray("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16\r\n9,9")
        << c + "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n15,16,,,,,,,,,,,,\r\n9,9,,,,,,,,,,,,\r\n";
    QTest::newRow("fifteen with trailing comma") << QByteArray("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,\r")
                                                 << c + "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n15,,,,,,,,,,,,,\r\n";
    QTest::newRow("spaces kept") << QByteArray(" 10 ,x") << c + " 10 ,x,,,,,,,,,,,,\r\n";
    QTest::newRow("blank line and single value") << QByteArray("\r\n5\r\n,\r\n") << c + ",,,,,,,,,,,,,\r\n";
    const QByteArray longField(300, 'z');
    QTest::newRow("a field of 300 characters")
        << longField + "," + longField << c + longField + "," + longField + ",,,,,,,,,,,,\r\n";
}

void TestCli::normalizarRoundTrips()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, output);
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("entrada.txt"));
    const QString out = dir.filePath(QStringLiteral("salida.txt"));
    QVERIFY(putFile(in, input));
    const Run run = runCli({QStringLiteral("normalizar"), in, out});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(fileBytes(out), output);
    // Normalizing a normalized file changes nothing.
    QCOMPARE(runCli({QStringLiteral("normalizar"), out, in}).exitCode, 0);
    QCOMPARE(fileBytes(in), output);
}

void TestCli::parameterValuesAsTheDialog_data()
{
    // Which texts the dialog takes is the generator's own test; here, that a
    // value reaches it as given, even one that begins with a minus sign.
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("negative") << QStringLiteral("-12") << true;
    QTest::newRow("double sign") << QStringLiteral("--5") << false;
    QTest::newRow("leading blank") << QStringLiteral(" 5") << false;
}

void TestCli::parameterValuesAsTheDialog()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QTemporaryDir dir;
    const Run run = runCli({QStringLiteral("generar"), QStringLiteral("--MultJob"), text, QStringLiteral("-o"),
                            dir.filePath(QStringLiteral("Exp.txt"))});
    const QString refusal = parameterValueError(QStringLiteral("--MultJob"));
    // An accepted value may still make the generation overflow; it is never refused.
    QCOMPARE(QString::fromUtf8(run.err).contains(refusal), !accepted);
    if (!accepted)
        QCOMPARE(run.exitCode, 1);
}

void TestCli::helpLinesUpByCharacters()
{
    const Run run = runCli({QStringLiteral("--help")});
    QCOMPARE(run.exitCode, 0);
    QSet<qsizetype> valueColumns;
    int options = 0;
    for (const QString &line : QString::fromUtf8(run.out).split(u'\n')) {
        if (!line.startsWith(QStringLiteral("  --")) || !line.endsWith(u')'))
            continue;
        ++options;
        valueColumns << line.lastIndexOf(u'(');
    }
    QCOMPARE(options, 20);
    QCOMPARE(valueColumns.size(), 1); // "1º Job" rows included
}

void TestCli::eachCommandHasItsHelp_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QByteArray>("says"); // a line of this command's help alone
    QTest::newRow("generar") << QStringLiteral("generar") << QStringLiteral("--help") << QByteArray("  --IncNextJob");
    QTest::newRow("normalizar") << QStringLiteral("normalizar") << QStringLiteral("-h")
                                << QByteArray("como el editor lo abre");
    QTest::newRow("comprobar") << QStringLiteral("comprobar") << QStringLiteral("--help")
                               << QByteArray("la etiqueta n + 1 en la cuadrícula");
    QTest::newRow("comparar") << QStringLiteral("comparar") << QStringLiteral("--help")
                              << QByteArray("cuadrícula: ETIQUETA");
    QTest::newRow("grafico") << QStringLiteral("grafico") << QStringLiteral("--help")
                             << QByteArray("--escala log|lineal");
}

void TestCli::eachCommandHasItsHelp()
{
    QFETCH(QString, command);
    QFETCH(QString, option);
    QFETCH(QByteArray, says);
    const Run run = runCli({command, option});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    QVERIFY2(run.out.startsWith("Uso:\n  vandrel-exp " + command.toUtf8() + ' '), run.out.constData());
    QVERIFY2(run.out.contains(says), run.out.constData());
    QCOMPARE(run.out.count("  vandrel-exp "), 1); // that command's alone
    // The whole usage names the form.
    QVERIFY(runCli({QStringLiteral("--help")}).out.contains("vandrel-exp COMANDO --help"));
}

void TestCli::comprobarFindings_data()
{
    // The text and JSON forms, the exit status and the options of the tool,
    // on a few findings; every finding code is checked in process in
    // tests/table/tst_table_check.cpp.
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("finding"); // "LÍNEA:CAMPO: gravedad codigo"
    const QByteArray c = savedComment();
    const QByteArray ok = "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n";
    QTest::newRow("campos") << c + ok + "1,2,3\r\n" << QStringList() << QStringLiteral("3:0: error campos");
    const QStringList uint32 = {QStringLiteral("--tipo"), QStringLiteral("uint32")};
    QTest::newRow("fuera_de_rango uint32") << c + "1,4294967296,3,4,5,6,7,8,9,10,11,12,13,14\r\n"
                                           << uint32 << QStringLiteral("2:2: error fuera_de_rango");
    // The options reach the check. Job 2a ends at level 1 (its 0), the others
    // after the one row, at 2.
    QTest::newRow("niveles") << c + "1,2,3,4,5,6,7,8,9,10,11,12,13,0\r\n"
                             << QStringList{QStringLiteral("--niveles"), QStringLiteral("2")}
                             << QStringLiteral("2:0: error niveles");
    // A warning alone: exit 0.
    QTest::newRow("bom_comentario") << "\xEF\xBB\xBF" + c + ok << QStringList()
                                    << QStringLiteral("1:0: aviso bom_comentario");
}

void TestCli::comprobarFindings()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, options);
    QFETCH(QString, finding);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Exp.txt"));
    QVERIFY(putFile(path, file));

    const Run text = runCli(QStringList{QStringLiteral("comprobar"), path} + options);
    const Run json = runCli(QStringList{QStringLiteral("comprobar"), path, QStringLiteral("--json")} + options);
    const bool error = finding.contains(QStringLiteral(" error "));
    QCOMPARE(text.exitCode, error ? 1 : 0);
    QCOMPARE(json.exitCode, text.exitCode);

    const QStringList lines = QString::fromUtf8(text.out).split(u'\n', Qt::SkipEmptyParts);
    const QJsonArray found = QJsonDocument::fromJson(json.out)
                                 .object()
                                 .value(QStringLiteral("archivos"))
                                 .toArray()
                                 .at(0)
                                 .toObject()
                                 .value(QStringLiteral("hallazgos"))
                                 .toArray();
    QCOMPARE(found.size(), lines.size() - 2); // the last lines are the groups' last levels and the summary
    QCOMPARE(found.size(), 1);
    const QStringList parts = finding.split(u' ');
    const QJsonObject f = found.at(0).toObject();
    QCOMPARE(QStringLiteral("%1:%2:")
                 .arg(f.value(QStringLiteral("linea")).toInt())
                 .arg(f.value(QStringLiteral("campo")).toInt()),
             parts[0]);
    QCOMPARE(f.value(QStringLiteral("gravedad")).toString(), parts[1]);
    QCOMPARE(f.value(QStringLiteral("codigo")).toString(), parts[2]);
    QVERIFY2(lines[0].startsWith(path + u':' + parts[0] + u' ' + parts[1] + QStringLiteral(": ")),
             qPrintable(lines[0]));
    QCOMPARE(lines[0].section(QStringLiteral(": "), 2), f.value(QStringLiteral("mensaje")).toString());
}

void TestCli::comprobarCleanTable()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Exp.txt"));
    QCOMPARE(runCli({QStringLiteral("generar"), QStringLiteral("-o"), path}).exitCode, 0);
    const Run run = runCli({QStringLiteral("comprobar"), path});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QString::fromUtf8(run.out), lastLevelsLine(99) + QStringLiteral("0 errores, 0 avisos en 99 niveles\n"));
    QCOMPARE(runCli({QStringLiteral("comprobar"), dir.filePath(QStringLiteral("no.txt"))}).exitCode, 2);
}

void TestCli::comprobarSeveralFiles()
{
    // As linters: each file's findings and summary, a total, the worst status.
    QTemporaryDir dir;
    const QString clean = dir.filePath(QStringLiteral("a.txt")), bad = dir.filePath(QStringLiteral("b.txt")),
                  missing = dir.filePath(QStringLiteral("no.txt"));
    QVERIFY(putFile(clean, savedComment() + "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"));
    QVERIFY(putFile(bad, savedComment() + "1,2\r\n"));
    const Run both = runCli({QStringLiteral("comprobar"), clean, bad});
    QCOMPARE(both.exitCode, 1);
    QCOMPARE(QString::fromUtf8(both.out), QStringLiteral("%1: %3%1: 0 errores, 0 avisos en 1 nivel\n"
                                                         "%2:2:0: error: la línea tiene 2 campos y una tabla tiene 14\n"
                                                         "%2: %4%2: 1 error, 0 avisos en 1 nivel\n"
                                                         "Total: 1 error, 0 avisos en 2 niveles de 2 archivos\n")
                                              .arg(clean, bad, lastLevelsLine(2), lastLevelsLine(1)));
    const Run unread = runCli({QStringLiteral("comprobar"), missing, clean});
    QCOMPARE(unread.exitCode, 2); // worse than any finding
    QVERIFY(unread.out.endsWith("Total: 0 errores, 0 avisos en 1 nivel de 1 archivo; 1 no se pudo leer\n"));
    QVERIFY2(unread.err.startsWith("vandrel-exp: " + missing.toUtf8() + ": "), unread.err.constData());
    const Run unreadJson = runCli({QStringLiteral("comprobar"), missing, clean, QStringLiteral("--json")});
    QCOMPARE(unreadJson.exitCode, 2);
    QCOMPARE(QJsonDocument::fromJson(unreadJson.out)
                 .object()
                 .value(QStringLiteral("no_leidos"))
                 .toArray()
                 .at(0)
                 .toObject()
                 .value(QStringLiteral("archivo"))
                 .toString(),
             missing);
}

void TestCli::preCommitHook()
{
    // The hook as pre-commit runs it: its entry, then the staged files its
    // pattern takes, all in one call.
    QFile hooks(QFINDTESTDATA("../../.pre-commit-hooks.yaml"));
    QVERIFY(hooks.open(QIODevice::ReadOnly));
    QString entry, files;
    for (const QByteArray &line : hooks.readAll().split('\n')) {
        const QString text = QString::fromUtf8(line).trimmed();
        if (text.startsWith(QStringLiteral("entry: ")))
            entry = text.mid(7);
        if (text.startsWith(QStringLiteral("files: ")))
            files = text.mid(7).remove(u'\'');
    }
    QCOMPARE(entry, QStringLiteral("vandrel-exp comprobar --"));
    // Python's (?i) as Qt's option: the same pattern otherwise.
    QVERIFY(files.startsWith(QStringLiteral("(?i)")));
    const QRegularExpression pattern(files.mid(4), QRegularExpression::CaseInsensitiveOption);
    QVERIFY(pattern.isValid());
    QTemporaryDir dir;
    // Tables by their name, in any folder; no file that only has "exp" somewhere in its path.
    const QStringList names{QStringLiteral("Exp.txt"),          QStringLiteral("servidor/EXP.TXT"),
                            QStringLiteral("EXP.TXT.bak"),      QStringLiteral("LEEME.txt"),
                            QStringLiteral("job_exp.yml"),      QStringLiteral("docs/experiments.txt"),
                            QStringLiteral("db/exp_homun.txt"), QStringLiteral("Expansion/LEEME.txt"),
                            QStringLiteral("mi_exp.txt")};
    QStringList taken;
    for (const QString &name : names)
        if (pattern.match(name).hasMatch())
            taken << name;
    QCOMPARE(taken, (QStringList{QStringLiteral("Exp.txt"), QStringLiteral("servidor/EXP.TXT")}));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("servidor")));
    QVERIFY(putFile(dir.filePath(taken[0]), savedComment() + "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"));
    QVERIFY(putFile(dir.filePath(taken[1]), savedComment() + "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"));
    QStringList command = entry.split(u' ').mid(1) + taken;
    const auto hook = [&] {
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(qEnvironmentVariable("VEXP_CLI"), command);
        process.waitForFinished(60000);
        return process.exitCode();
    };
    QCOMPARE(hook(), 0); // the commit goes on
    QVERIFY(putFile(dir.filePath(taken[1]), savedComment() + "1,2,3\r\n"));
    QCOMPARE(hook(), 1); // the commit stops
    // A file whose name begins with "-", as a pattern adapted to it takes it: a file, not an option.
    QVERIFY(putFile(dir.filePath(QStringLiteral("-exp.txt")), savedComment() + "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"));
    command = entry.split(u' ').mid(1) + QStringList{QStringLiteral("-exp.txt")};
    QCOMPARE(hook(), 0);
}

void TestCli::bashCompletion_data()
{
    // What is typed after "vandrel-exp " (the cursor at its end), and what
    // the completion offers; %F: the file in the folder the shell is in.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("offered");
    QTest::newRow("a command") << QStringLiteral("comp")
                               << QStringList{QStringLiteral("comprobar"), QStringLiteral("comparar")};
    QTest::newRow("an option") << QStringLiteral("comprobar --t")
                               << QStringList{QStringLiteral("--tipo"), QStringLiteral("--trabajos")};
    QTest::newRow("an option's values") << QStringLiteral("comprobar x --tipo i")
                                        << QStringList{QStringLiteral("int32"), QStringLiteral("int64")};
    QTest::newRow("every value") << QStringLiteral("grafico x --formato ")
                                 << QStringList{QStringLiteral("png"), QStringLiteral("pdf"), QStringLiteral("svg")};
    QTest::newRow("generar's parameters")
        << QStringLiteral("generar --Mult") << QStringList{QStringLiteral("--MultExp"), QStringLiteral("--MultJob")};
    QTest::newRow("a file after -o") << QStringLiteral("generar -o E") << QStringList{QStringLiteral("Exp.txt")};
    QTest::newRow("a file as an operand") << QStringLiteral("normalizar E") << QStringList{QStringLiteral("Exp.txt")};
    QTest::newRow("a number: nothing") << QStringLiteral("generar --MultExp ") << QStringList();
    QTest::newRow("after --, files only") << QStringLiteral("comprobar -- -") << QStringList();
    QTest::newRow("a value after =") << QStringLiteral("grafico x --formato=p")
                                     << QStringList{QStringLiteral("--formato=png"), QStringLiteral("--formato=pdf")};
    QTest::newRow("a file after =") << QStringLiteral("comprobar x --trabajos=E")
                                    << QStringList{QStringLiteral("--trabajos=Exp.txt")};
    QTest::newRow("no file where none is taken") << QStringLiteral("generar --cortar ") << QStringList();
    QTest::newRow("files where they are taken")
        << QStringLiteral("comprobar ") << QStringList{QStringLiteral("Exp.txt")};
}

void TestCli::bashCompletion()
{
#if defined(Q_OS_UNIX)
    QFETCH(QString, typed);
    QFETCH(QStringList, offered);
    const QString script = QFINDTESTDATA("../../packaging/bash-completion/vandrel-exp");
    QVERIFY(!script.isEmpty());
    QTemporaryDir dir;
    QVERIFY(putFile(dir.filePath(QStringLiteral("Exp.txt")), "1,2\r\n"));
    // The function called as bash calls it: the words so far, the cursor's word.
    QProcess bash;
    bash.setWorkingDirectory(dir.path());
    bash.start(QStringLiteral("bash"),
               {QStringLiteral("-c"),
                QStringLiteral("source \"$0\"; read -ra COMP_WORDS <<< \"$1 $2\"; "
                               "[ \"${2: -1}\" = ' ' ] && COMP_WORDS+=(''); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); "
                               "_vandrel_exp; printf '%s\\n' \"${COMPREPLY[@]}\""),
                script, qEnvironmentVariable("VEXP_CLI"), typed});
    QVERIFY(bash.waitForFinished(30000));
    QCOMPARE(bash.exitCode(), 0);
    const QStringList got = QString::fromUtf8(bash.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(got, offered);
#else
    QSKIP("bash's completion");
#endif
}

void TestCli::compararTables()
{
    // The report's lines are comparar's report's own tests; here, the
    // contract: 0 when equal, 1 when not (the report on standard output), 2
    // when a file cannot be read.
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.txt")), b = dir.filePath(QStringLiteral("b.txt"));
    const QByteArray one = savedComment() + "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n";
    QVERIFY(putFile(a, one) && putFile(b, one + "2,3,4,5,6,7,8,9,10,11,12,13,14,15\r\n"));
    const Run same = runCli({QStringLiteral("comparar"), a, a});
    QCOMPARE(same.exitCode, 0);
    QCOMPARE(same.out, QByteArray("0 celdas distintas en 0 niveles\n"));
    const Run fewer = runCli({QStringLiteral("comparar"), a, b});
    QCOMPARE(fewer.exitCode, 1);
    QVERIFY(fewer.err.isEmpty());
    QVERIFY(fewer.out.endsWith("; 1 nivel solo en " + b.toUtf8() + "\n"));
    const Run missing = runCli({QStringLiteral("comparar"), a, dir.filePath(QStringLiteral("no.txt"))});
    QCOMPARE(missing.exitCode, 2);
    QVERIFY(missing.out.isEmpty());
}

namespace {

// Pixels of exactly `colour` in the rows [top, bottom) of the plot areas
// (the legend, to their right, is left out).
int pixelsOf(const QImage &image, QRgb colour, int top, int bottom)
{
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 110; x < 1010; ++x)
            count += (image.pixel(x, y) & 0xffffff) == colour;
    return count;
}

} // namespace

void TestCli::graficoPicturesWithoutDisplay_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("kind"); // what the bytes must be: png, pdf or svg
    QTest::newRow("PNG by its name") << QStringLiteral("curvas.png") << QStringList() << QStringLiteral("png");
    QTest::newRow("PDF by its name") << QStringLiteral("curvas.PDF") << QStringList() << QStringLiteral("pdf");
    QTest::newRow("SVG by its name") << QStringLiteral("curvas.svg") << QStringList() << QStringLiteral("svg");
    QTest::newRow("--formato over the name")
        << QStringLiteral("curvas.dat") << QStringList{QStringLiteral("--formato"), QStringLiteral("png")}
        << QStringLiteral("png");
    QTest::newRow("standard output is SVG") << QStringLiteral("-") << QStringList() << QStringLiteral("svg");
    QTest::newRow("standard output as PDF")
        << QStringLiteral("-") << QStringList{QStringLiteral("--formato"), QStringLiteral("pdf")}
        << QStringLiteral("pdf");
}

void TestCli::graficoPicturesWithoutDisplay()
{
    QFETCH(QString, output);
    QFETCH(QStringList, options);
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString table = dir.filePath(QStringLiteral("Exp.txt"));
    QVERIFY(putFile(table, sevenApartTable()));
    QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        bare.remove(QString::fromLatin1(name));
    const QString target = output == QStringLiteral("-") ? output : dir.filePath(output);
    const Run run = runCli(QStringList{QStringLiteral("grafico"), table, QStringLiteral("-o"), target} + options, bare);
    const QByteArray bytes = target == QStringLiteral("-") ? run.out : fileBytes(target);

    if (kind == QStringLiteral("svg") && !svgBuilt()) {
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(QString::fromUtf8(run.err).contains(QStringLiteral("no escribe SVG")), run.err.constData());
        QVERIFY(run.out.isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Exp.txt")});
        return;
    }
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    if (kind == QStringLiteral("svg")) {
        QXmlStreamReader xml(bytes);
        while (!xml.atEnd())
            xml.readNext();
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(bytes.contains("<svg"));
    } else if (kind == QStringLiteral("pdf")) {
        QVERIFY(bytes.startsWith("%PDF-"));
        QVERIFY(bytes.trimmed().endsWith("%%EOF"));
        QVERIFY(bytes.contains("/Type /Page")); // one page
    } else {
        QVERIFY(bytes.startsWith("\x89PNG\r\n\x1a\n"));
        const QImage image = QImage::fromData(bytes, "PNG");
        QCOMPARE(image.width(), 1200);
        QVERIFY(image.height() > 1096);
        // Every curve drawn in its own colour, in the base panel and in the job panel.
        const QRgb colours[7] = {0x1f77b4, 0xff7f0e, 0x2ca02c, 0xd62728, 0x9467bd, 0x8c564b, 0xe377c2};
        for (const QRgb colour : colours) {
            QVERIFY2(pixelsOf(image, colour, 56, 576) > 100, qPrintable(QString::number(colour, 16)));
            QVERIFY2(pixelsOf(image, colour, 576, 1096) > 100, qPrintable(QString::number(colour, 16)));
        }
    }
}

void TestCli::graficoRefusals_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("message");
    QTest::newRow("scale") << QStringList{QStringLiteral("-o"), QStringLiteral("%1/x.svg"), QStringLiteral("--escala"),
                                          QStringLiteral("cubica")}
                           << QStringLiteral("--escala admite log o lineal.");
    QTest::newRow("kind of picture by name") << QStringList{QStringLiteral("-o"), QStringLiteral("%1/x.jpg")}
                                             << QStringLiteral("debe terminar en .png, .pdf o .svg");
    QTest::newRow("kind of picture by --formato") << QStringList{QStringLiteral("-o"), QStringLiteral("%1/x.png"),
                                                                 QStringLiteral("--formato"), QStringLiteral("jpg")}
                                                  << QStringLiteral("--formato admite png, pdf o svg.");
    QTest::newRow("--formato without a value")
        << QStringList{QStringLiteral("-o"), QStringLiteral("%1/x.png"), QStringLiteral("--formato")}
        << QStringLiteral("Falta el valor de --formato.");
    QTest::newRow("no output") << QStringList()
                               << QStringLiteral("vandrel-exp: La orden grafico necesita un archivo y -o");
}

void TestCli::graficoRefusals()
{
    QFETCH(QStringList, options);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString table = dir.filePath(QStringLiteral("Exp.txt"));
    QCOMPARE(runCli({QStringLiteral("generar"), QStringLiteral("-o"), table}).exitCode, 0);
    for (QString &option : options)
        option.replace(QStringLiteral("%1"), dir.path());
    const Run run = runCli(QStringList{QStringLiteral("grafico"), table} + options);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(QString::fromUtf8(run.err).contains(message), run.err.constData());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Exp.txt")});
}

namespace {

// What each command is run with for the rows below: %IN is the input
// under test, %OUT a file that holds "antes" and must keep it, %OK a
// clean table.
struct CommandLine
{
    const char *name;
    QStringList arguments;
    int failureStatus;
};

QList<CommandLine> readingCommands()
{
    return {{"normalizar", {QStringLiteral("normalizar"), QStringLiteral("%IN"), QStringLiteral("%OUT")}, 1},
            {"comprobar", {QStringLiteral("comprobar"), QStringLiteral("%IN")}, 2},
            {"comparar", {QStringLiteral("comparar"), QStringLiteral("%OK"), QStringLiteral("%IN")}, 2},
            {"grafico",
             {QStringLiteral("grafico"), QStringLiteral("%IN"), QStringLiteral("-o"), QStringLiteral("%OUT"),
              QStringLiteral("--formato"), QStringLiteral("png")},
             1}};
}

enum class Input { DevZero, EndlessFifo, SparseFile };

QStringList filledIn(QStringList arguments, const QString &in, const QString &out, const QString &ok)
{
    for (QString &argument : arguments) {
        argument.replace(QStringLiteral("%IN"), in);
        argument.replace(QStringLiteral("%OUT"), out);
        argument.replace(QStringLiteral("%OK"), ok);
    }
    return arguments;
}

} // namespace

void TestCli::boundsRefused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<Input>("input");
    QTest::addColumn<QString>("message");
    const QString endless = QStringLiteral("El archivo tiene una línea de más de 64 MiB");
    const QString huge = QStringLiteral("El archivo ocupa más de 4 GiB");
    for (const CommandLine &command : readingCommands()) {
#if defined(Q_OS_UNIX)
        // Endless input once for each way of reading: a table whole
        // (normalizar, comparar, grafico) and its bytes (comprobar).
        const QByteArray name = command.name;
        if (name == "normalizar" || name == "comprobar") {
            QTest::addRow("%s, /dev/zero", command.name)
                << command.arguments << command.failureStatus << Input::DevZero << endless;
            QTest::addRow("%s, an endless FIFO", command.name)
                << command.arguments << command.failureStatus << Input::EndlessFifo << endless;
        }
#endif
        QTest::addRow("%s, a sparse 5 GiB file", command.name)
            << command.arguments << command.failureStatus << Input::SparseFile << huge;
    }
}

void TestCli::boundsRefused()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(Input, input);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("salida.png")), ok = dir.filePath(QStringLiteral("ok.txt"));
    QVERIFY(putFile(out, "antes"));
    QVERIFY(putFile(ok, "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"));
    QString in = QStringLiteral("/dev/zero");
    QProcess writer;
    if (input == Input::SparseFile) {
        in = dir.filePath(QStringLiteral("5GiB.txt"));
        QFile big(in); // sparse: takes no disk
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64(5) << 30));
    }
#if defined(Q_OS_UNIX)
    if (input == Input::EndlessFifo) {
        in = dir.filePath(QStringLiteral("fifo"));
        QCOMPARE(mkfifo(QFile::encodeName(in).constData(), 0600), 0);
        writer.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("exec cat /dev/zero > \"$0\""), in});
    }
#endif
    const Run run = runCli(filledIn(arguments, in, out, ok));
    writer.kill();
    writer.waitForFinished();
    QCOMPARE(run.exitCode, status);
    QVERIFY2(QString::fromUtf8(run.err).contains(in + QStringLiteral(": ") + message), run.err.constData());
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(fileBytes(out), QByteArray("antes"));
}

void TestCli::allocationFailureRefused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    for (const CommandLine &command : readingCommands())
        QTest::addRow("%s", command.name) << command.arguments << command.failureStatus;
}

void TestCli::allocationFailureRefused()
{
#if defined(Q_OS_LINUX)
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    // The command runs in this process, which may then map only a little more
    // than it has: a 1 GiB file cannot be taken in, and the command must say
    // so instead of aborting.
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("grande.txt")), out = dir.filePath(QStringLiteral("salida.png")),
                  ok = dir.filePath(QStringLiteral("ok.txt"));
    QFile big(in);
    QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64(1) << 30));
    big.close();
    QVERIFY(putFile(out, "antes"));
    QVERIFY(putFile(ok, "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"));
    arguments = filledIn(arguments, in, out, ok);
    const QString command = arguments.takeFirst();
    const Command *const run = findCommand(command);
    QVERIFY(run);

    const rlim_t current = addressSpaceInUse();
    QVERIFY(current > 0);

    // Standard output and error go to files while the command runs.
    QTemporaryFile outText, errText;
    QVERIFY(outText.open() && errText.open());
    std::fflush(stdout);
    std::fflush(stderr);
    const int savedOut = dup(1), savedErr = dup(2);
    dup2(outText.handle(), 1);
    dup2(errText.handle(), 2);
    rlimit saved{};
    getrlimit(RLIMIT_AS, &saved);
    rlimit tight = saved;
    tight.rlim_cur = current + (rlim_t(256) << 20);
    setrlimit(RLIMIT_AS, &tight);
    const int exitStatus = runCommand(*run, arguments);
    setrlimit(RLIMIT_AS, &saved);
    std::fflush(stdout);
    std::fflush(stderr);
    dup2(savedOut, 1);
    dup2(savedErr, 2);
    close(savedOut);
    close(savedErr);

    QCOMPARE(exitStatus, status);
    const QByteArray err = fileBytes(errText.fileName());
    QVERIFY2(QString::fromUtf8(err).contains(QStringLiteral("No hay memoria suficiente")), err.constData());
    QCOMPARE(fileBytes(outText.fileName()), QByteArray());
    QCOMPARE(fileBytes(out), QByteArray("antes"));
#else
    QSKIP("an address-space limit is a Linux facility");
#endif
}

void TestCli::standardStreams_data()
{
    // "-" as the input, the output or both, for every command.
    QTest::addColumn<QStringList>("arguments"); // %OK: a clean table file
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("begins"); // what standard output begins with
    const QByteArray c = savedComment();
    const QByteArray ok = "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n";
    QTest::newRow("generar -o -") << QStringList{QStringLiteral("generar"), QStringLiteral("-o"), QStringLiteral("-")}
                                  << QByteArray() << 0 << c + "9,9,9,9,10,10,10,10,10,15,20,11,30,60\r\n";
    QTest::newRow("normalizar - -") << QStringList{QStringLiteral("normalizar"), QStringLiteral("-"),
                                                   QStringLiteral("-")}
                                    << QByteArray("1,2\n") << 0 << c + "1,2,,,,,,,,,,,,\r\n";
    QTest::newRow("comprobar -") << QStringList{QStringLiteral("comprobar"), QStringLiteral("-")} << c + ok << 0
                                 << (lastLevelsLine(2) + QStringLiteral("0 errores, 0 avisos en 1 nivel\n")).toUtf8();
    QTest::newRow("comprobar -, a finding named by -")
        << QStringList{QStringLiteral("comprobar"), QStringLiteral("-")} << c + "1,2\r\n"
        << 1 << QByteArray("-:2:0: error: ");
    QTest::newRow("comparar - B") << QStringList{QStringLiteral("comparar"), QStringLiteral("-"), QStringLiteral("%OK")}
                                  << c + ok << 0 << QByteArray("0 celdas distintas en 0 niveles\n");
    QTest::newRow("comparar A -") << QStringList{QStringLiteral("comparar"), QStringLiteral("%OK"), QStringLiteral("-")}
                                  << c + "1,2,3,4,5,6,7,8,9,10,11,12,13,15\r\n"
                                  << 1 << QByteArray("1:Job 2a: 14 -> 15 (A: línea 2; B: línea 2; cuadrícula: 2)\n");
#if defined(Q_OS_UNIX)
    // The names of the process's own descriptors: written through them.
    QTest::newRow("generar -o /dev/stdout, a pipe")
        << QStringList{QStringLiteral("generar"), QStringLiteral("-o"), QStringLiteral("/dev/stdout")} << QByteArray()
        << 0 << c + "9,9,9,9,10,10,10,10,10,15,20,11,30,60\r\n";
    QTest::newRow("normalizar - /dev/fd/1")
        << QStringList{QStringLiteral("normalizar"), QStringLiteral("-"), QStringLiteral("/dev/fd/1")}
        << QByteArray("1,2\n") << 0 << c + "1,2,,,,,,,,,,,,\r\n";
#endif
    QTest::newRow("grafico - -o - as PNG")
        << QStringList{QStringLiteral("grafico"), QStringLiteral("-"),         QStringLiteral("-o"),
                       QStringLiteral("-"),       QStringLiteral("--formato"), QStringLiteral("png")}
        << c + ok << 0 << QByteArray("\x89PNG\r\n\x1a\n");
}

void TestCli::standardStreams()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, status);
    QFETCH(QByteArray, begins);
    QTemporaryDir dir;
    const QString ok = dir.filePath(QStringLiteral("ok.txt"));
    QVERIFY(putFile(ok, savedComment() + "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"));
    const Run run = runCliWithInput(filledIn(arguments, {}, {}, ok), input);
    QCOMPARE(run.exitCode, status);
    QVERIFY2(run.out.startsWith(begins), run.out.left(200).constData());
    QCOMPARE(run.err, QByteArray());
}

void TestCli::refusedArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("comprobar --tipo without a value")
        << QStringList{QStringLiteral("comprobar"), QStringLiteral("%OK"), QStringLiteral("--tipo")} << 2
        << QStringLiteral("vandrel-exp: Falta el valor de --tipo.\n");
    QTest::newRow("comparar with one file")
        << QStringList{QStringLiteral("comparar"), QStringLiteral("%OK")} << 2
        << QStringLiteral("vandrel-exp: La orden comparar necesita dos archivos.\n");
    QTest::newRow("--niveles 0") << QStringList{QStringLiteral("comprobar"), QStringLiteral("%OK"),
                                                QStringLiteral("--niveles"), QStringLiteral("0")}
                                 << 2
                                 << QStringLiteral(
                                        "vandrel-exp: --niveles necesita un número de niveles de 1 a 65535.\n");
    QTest::newRow("--niveles past any level")
        << QStringList{QStringLiteral("comprobar"), QStringLiteral("%OK"), QStringLiteral("--niveles"),
                       QStringLiteral("99999999999")}
        << 2 << QStringLiteral("vandrel-exp: --niveles necesita un número de niveles de 1 a 65535.\n");
    // The libconfig family's options where they cannot be honoured.
    QTest::newRow("--trabajos with YAML")
        << QStringList{QStringLiteral("exportar"), QStringLiteral("%OK"),        QStringLiteral("--formato"),
                       QStringLiteral("yaml"),     QStringLiteral("--trabajos"), QStringLiteral("job_db.conf")}
        << 1
        << QStringLiteral("vandrel-exp: --separar y --trabajos son de los archivos libconfig (--formato libconfig).\n");
    QTest::newRow("--separar with the links on standard input")
        << QStringList{QStringLiteral("exportar"), QStringLiteral("%OK"),       QStringLiteral("--trabajos"),
                       QStringLiteral("-"),        QStringLiteral("--separar"), QStringLiteral("-o"),
                       QStringLiteral("g.conf")}
        << 1
        << QStringLiteral("vandrel-exp: --separar escribe en el job_db.conf: --trabajos tiene que nombrar el archivo, "
                          "no la entrada estándar.\n");
    QTest::newRow("one file for both")
        << QStringList{QStringLiteral("exportar"), QStringLiteral("%OK"), QStringLiteral("--trabajos"),
                       QStringLiteral("g.conf"),   QStringLiteral("-o"),  QStringLiteral("g.conf")}
        << 1
        << QStringLiteral("vandrel-exp: --trabajos y -o nombran el mismo archivo: son el job_db.conf y el "
                          "exp_group_db.conf del servidor.\n");
    QTest::newRow("comprobar, a job_db.conf without groups")
        << QStringList{QStringLiteral("comprobar"), QStringLiteral("%OK"), QStringLiteral("--trabajos"),
                       QStringLiteral("job_db.conf")}
        << 2
        << QStringLiteral("vandrel-exp: Un job_db.conf (--trabajos) acompaña a un exp_group_db.conf, y no hay "
                          "ninguno.\n");
    // What is wrong, named as what it is.
    QTest::newRow("an unknown command") << QStringList{QStringLiteral(
        "genera")} << 2 << QStringLiteral("vandrel-exp: Orden desconocida: genera (vea vandrel-exp --help).\n");
    QTest::newRow("a surplus file") << QStringList{QStringLiteral("normalizar"), QStringLiteral("%OK"),
                                                   QStringLiteral("%OK"), QStringLiteral("tercero.txt")}
                                    << 1
                                    << QStringLiteral(
                                           "vandrel-exp: Sobra el argumento: tercero.txt (vea vandrel-exp --help).\n");
    QTest::newRow("an unknown option")
        << QStringList{QStringLiteral("grafico"), QStringLiteral("%OK"), QStringLiteral("--ancho")} << 1
        << QStringLiteral("vandrel-exp: Opción desconocida: --ancho (vea vandrel-exp --help).\n");
    // The parser's own cases are tst_options'; here, how the tool says them,
    // with each command's status and what the table says it needs.
    QTest::newRow("-- ends the options: nothing after it is one")
        << QStringList{QStringLiteral("normalizar"), QStringLiteral("%OK"), QStringLiteral("--")} << 1
        << QStringLiteral("vandrel-exp: La orden normalizar necesita un archivo de entrada y uno de salida.\n");
    QTest::newRow("standard input twice")
        << QStringList{QStringLiteral("comparar"), QStringLiteral("-"), QStringLiteral("-")} << 2
        << QStringLiteral("vandrel-exp: Solo uno de los archivos puede ser la entrada estándar (-).\n");
    // The tool keeps no table: a failed generation speaks of none.
    QTest::newRow("a generation that overflows")
        << QStringList{QStringLiteral("generar"),    QStringLiteral("--MultExp"), QStringLiteral("32767"),
                       QStringLiteral("--NextBase"), QStringLiteral("0"),         QStringLiteral("--IncNextBase"),
                       QStringLiteral("1")}
        << 1
        << QStringLiteral("vandrel-exp: No se puede generar la tabla: en el nivel 2 el porcentaje de Base "
                          "pasaría del límite de -32768 a 32767.\n");
}

void TestCli::refusedArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString ok = dir.filePath(QStringLiteral("ok.txt"));
    QVERIFY(putFile(ok, "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"));
    const Run run = runCli(filledIn(arguments, {}, {}, ok));
    QCOMPARE(run.exitCode, status);
    QCOMPARE(QString::fromUtf8(run.err), message);
    QCOMPARE(run.out, QByteArray());
}

void TestCli::optionConventions_data()
{
    // Files whose names begin with "-" after "--", and "--opción=valor",
    // give what the plain forms give. The commands run in a folder holding
    // "-x.txt", a clean table.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("same"); // the plain form, run the same way
    QTest::addColumn<int>("status");
    QTest::newRow("comprobar -- -x.txt") << QStringList{QStringLiteral("comprobar"), QStringLiteral("--"),
                                                        QStringLiteral("-x.txt")}
                                         << QStringList{QStringLiteral("comprobar"), QStringLiteral("./-x.txt")} << 0;
    QTest::newRow("comparar -- -x.txt -x.txt")
        << QStringList{QStringLiteral("comparar"), QStringLiteral("--"), QStringLiteral("-x.txt"),
                       QStringLiteral("-x.txt")}
        << QStringList{QStringLiteral("comparar"), QStringLiteral("./-x.txt"), QStringLiteral("./-x.txt")} << 0;
    QTest::newRow("normalizar -- -x.txt -y.txt")
        << QStringList{QStringLiteral("normalizar"), QStringLiteral("--"), QStringLiteral("-x.txt"),
                       QStringLiteral("-y.txt")}
        << QStringList{QStringLiteral("normalizar"), QStringLiteral("./-x.txt"), QStringLiteral("./-y.txt")} << 0;
    QTest::newRow("grafico -o g.png -- -x.txt")
        << QStringList{QStringLiteral("grafico"), QStringLiteral("-o"), QStringLiteral("-g.png"), QStringLiteral("--"),
                       QStringLiteral("-x.txt")}
        << QStringList{QStringLiteral("grafico"), QStringLiteral("./-x.txt"), QStringLiteral("-o"),
                       QStringLiteral("./-g.png")}
        << 0;
    QTest::newRow("generar --MultExp=12 -o=-")
        << QStringList{QStringLiteral("generar"), QStringLiteral("--MultExp=12"), QStringLiteral("--NobBase=5")}
        << QStringList{QStringLiteral("generar"), QStringLiteral("--MultExp"), QStringLiteral("12"),
                       QStringLiteral("--NobBase"), QStringLiteral("5")}
        << 0;
    QTest::newRow("comprobar --tipo=int64 --niveles=2")
        << QStringList{QStringLiteral("comprobar"), QStringLiteral("./-x.txt"), QStringLiteral("--tipo=int64"),
                       QStringLiteral("--niveles=3")}
        << QStringList{QStringLiteral("comprobar"), QStringLiteral("./-x.txt"),  QStringLiteral("--tipo"),
                       QStringLiteral("int64"),     QStringLiteral("--niveles"), QStringLiteral("3")}
        << 1;
}

void TestCli::optionConventions()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, same);
    QFETCH(int, status);
    QTemporaryDir dir;
    QVERIFY(putFile(dir.filePath(QStringLiteral("-x.txt")), savedComment() + "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"));
    const auto runIn = [&](const QStringList &args) {
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(qEnvironmentVariable("VEXP_CLI"), args);
        process.waitForFinished(60000);
        return std::pair{process.exitCode(), process.readAllStandardOutput()};
    };
    const auto [code, out] = runIn(arguments);
    const QByteArray made =
        fileBytes(dir.filePath(QStringLiteral("-y.txt"))) + fileBytes(dir.filePath(QStringLiteral("-g.png")));
    QDir(dir.path()).remove(QStringLiteral("-y.txt"));
    QDir(dir.path()).remove(QStringLiteral("-g.png"));
    const auto [sameCode, sameOut] = runIn(same);
    const QByteArray sameMade =
        fileBytes(dir.filePath(QStringLiteral("-y.txt"))) + fileBytes(dir.filePath(QStringLiteral("-g.png")));
    QCOMPARE(code, status);
    QCOMPARE(sameCode, status);
    QCOMPARE(out, sameOut);
    QCOMPARE(made, sameMade);
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("--"))));
}

void TestCli::writeFailureGivesTheReason_data()
{
    QTest::addColumn<QStringList>("arguments"); // %IN: a clean table, %OUT: the file written
    QTest::newRow("generar") << QStringList{QStringLiteral("generar"), QStringLiteral("-o"), QStringLiteral("%OUT")};
    QTest::newRow("normalizar") << QStringList{QStringLiteral("normalizar"), QStringLiteral("%IN"),
                                               QStringLiteral("%OUT")};
    QTest::newRow("grafico") << QStringList{QStringLiteral("grafico"),   QStringLiteral("%IN"),
                                            QStringLiteral("-o"),        QStringLiteral("%OUT"),
                                            QStringLiteral("--formato"), QStringLiteral("png")};
}

void TestCli::writeFailureGivesTheReason()
{
#if defined(Q_OS_UNIX)
    // Files may grow to 2 KiB only, as on a disk that fills up: the command
    // names the file and the system's reason, and the former file stays.
    QFETCH(QStringList, arguments);
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("Exp.txt")), out = dir.filePath(QStringLiteral("salida"));
    QVERIFY(putFile(out, "antes"));
    QCOMPARE(runCli({QStringLiteral("generar"), QStringLiteral("-o"), in}).exitCode, 0);
    for (QString &argument : arguments)
        argument.replace(QStringLiteral("%IN"), in).replace(QStringLiteral("%OUT"), out);
    QProcess process;
    process.setChildProcessModifier([] {
        signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of ending the process
        rlimit small{2048, 2048};
        setrlimit(RLIMIT_FSIZE, &small);
    });
    process.start(qEnvironmentVariable("VEXP_CLI"), arguments);
    QVERIFY(process.waitForFinished(60000));
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QCOMPARE(process.exitCode(), 1);
    QVERIFY2(err.startsWith(QStringLiteral("vandrel-exp: %1: ").arg(out)), qPrintable(err));
    QVERIFY2(!err.contains(QStringLiteral("desconocido")), qPrintable(err));
    QCOMPARE(fileBytes(out), QByteArray("antes"));
#else
    QSKIP("a limit on file size is a Unix facility");
#endif
}

void TestCli::writesKeepWhatTheTargetIs_data()
{
    QTest::addColumn<QStringList>("arguments"); // %IN: a clean table, %OUT: the target
    QTest::addColumn<QString>("target");        // a device, a hard link or a loop of links
    QTest::addColumn<QString>("failure");       // empty: the command succeeds
    const QStringList generar{QStringLiteral("generar"), QStringLiteral("-o"), QStringLiteral("%OUT")};
    const QStringList normalizar{QStringLiteral("normalizar"), QStringLiteral("%IN"), QStringLiteral("%OUT")};
    const QStringList grafico{QStringLiteral("grafico"), QStringLiteral("%IN"),       QStringLiteral("-o"),
                              QStringLiteral("%OUT"),    QStringLiteral("--formato"), QStringLiteral("png")};
    QTest::newRow("generar -o a device") << generar << QStringLiteral("device") << QString();
    QTest::newRow("grafico -o a device") << grafico << QStringLiteral("device") << QString();
    QTest::newRow("normalizar into a hard link") << normalizar << QStringLiteral("link") << QString();
    QTest::newRow("normalizar into a loop of links")
        << normalizar << QStringLiteral("loop") << QStringLiteral("Demasiados niveles de enlaces simbólicos");
}

void TestCli::writesKeepWhatTheTargetIs()
{
#if defined(Q_OS_UNIX)
    QFETCH(QStringList, arguments);
    QFETCH(QString, target);
    QFETCH(QString, failure);
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("Exp.txt")), out = dir.filePath(QStringLiteral("salida")),
                  second = dir.filePath(QStringLiteral("otra"));
    QCOMPARE(runCli({QStringLiteral("generar"), QStringLiteral("-o"), in}).exitCode, 0);
    const QByteArray out8 = QFile::encodeName(out);
    if (target == QStringLiteral("device")) {
        if (geteuid() != 0)
            QSKIP("only root may make a device");
        QCOMPARE(::mknod(out8.constData(), S_IFCHR | 0666, makedev(1, 3)), 0); // as /dev/null, in the test's folder
    } else if (target == QStringLiteral("link")) {
        QVERIFY(putFile(out, "antes"));
        QCOMPARE(::link(out8.constData(), QFile::encodeName(second).constData()), 0);
    } else {
        QVERIFY(QFile::link(QStringLiteral("otra"), out));
        QVERIFY(QFile::link(QStringLiteral("salida"), second));
    }
    struct stat before = {}, after = {};
    QCOMPARE(::lstat(out8.constData(), &before), 0);
    const Run run = runCli(filledIn(arguments, in, out, in));
    QCOMPARE(run.exitCode, failure.isEmpty() ? 0 : 1);
    QVERIFY2(QString::fromUtf8(run.err).contains(failure), run.err.constData());
    QCOMPARE(::lstat(out8.constData(), &after), 0);
    QCOMPARE(after.st_mode & S_IFMT, before.st_mode & S_IFMT);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(after.st_rdev, before.st_rdev);
    if (target == QStringLiteral("link"))
        QCOMPARE(fileBytes(second), fileBytes(in));
    QStringList files =
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    files.sort();
    QStringList expected{QStringLiteral("Exp.txt"), QStringLiteral("otra"), QStringLiteral("salida")};
    if (target == QStringLiteral("device"))
        expected.removeOne(QStringLiteral("otra"));
    QCOMPARE(files, expected); // no temporary left

#else
    QSKIP("devices and links as POSIX has them");
#endif
}

void TestCli::generarWarnsOfValuesPastTheServer()
{
    // Every maximum level at 32767 and the smallest multipliers: values
    // grow past 2^31 and then into exponent form. The table is still
    // written and the exit status is 0, with a warning that comprobar agrees with.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Exp.txt"));
    QStringList arguments{QStringLiteral("generar"),   QStringLiteral("-o"), path,
                          QStringLiteral("--MultExp"), QStringLiteral("1"),  QStringLiteral("--MultJob"),
                          QStringLiteral("1")};
    for (size_t level = 0; level < 14; ++level) // the fourteen maximum levels come first
        arguments << QStringLiteral("--%1").arg(QString::fromLatin1(parameterFields()[level].name))
                  << QStringLiteral("32767");
    const Run run = runCli(arguments);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QString::fromUtf8(run.err),
             QStringLiteral("vandrel-exp: aviso: 31019 valores no caben en un entero de 32 bits con signo, como los "
                            "lee el servidor; el primero, en el nivel 1748, columna Job 2a: 2149509150. comprobar "
                            "rechazará la tabla.\n"));
    const Run check = runCli({QStringLiteral("comprobar"), path});
    QCOMPARE(check.exitCode, 1);
    // Each out-of-range cell, and the levels past the servers' 255.
    QVERIFY2(check.out.endsWith("31020 errores, 0 avisos en 32767 niveles\n"), check.out.right(200).constData());
}

void TestCli::unwritableStandardOutput_data()
{
    // Every command and form that writes to standard output, onto a full
    // device and onto a closed stream: the message and the failure status.
    QTest::addColumn<QStringList>("arguments"); // %OK: a clean table file
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("closed");
    const QList<std::pair<const char *, std::pair<QStringList, int>>> forms = {
        {"generar", {{QStringLiteral("generar")}, 1}},
        {"normalizar to -", {{QStringLiteral("normalizar"), QStringLiteral("%OK"), QStringLiteral("-")}, 1}},
        {"comprobar", {{QStringLiteral("comprobar"), QStringLiteral("%OK")}, 2}},
        {"comprobar --json", {{QStringLiteral("comprobar"), QStringLiteral("%OK"), QStringLiteral("--json")}, 2}},
        {"comparar", {{QStringLiteral("comparar"), QStringLiteral("%OK"), QStringLiteral("%OK")}, 2}},
        {"grafico -o -",
         {{QStringLiteral("grafico"), QStringLiteral("%OK"), QStringLiteral("-o"), QStringLiteral("-"),
           QStringLiteral("--formato"), QStringLiteral("png")},
          1}},
        {"--help", {{QStringLiteral("--help")}, 1}},
        {"comprobar --help", {{QStringLiteral("comprobar"), QStringLiteral("--help")}, 2}},
        {"--version", {{QStringLiteral("--version")}, 1}},
    };
    for (const auto &[name, form] : forms) {
        QTest::addRow("%s, a full device", name) << form.first << form.second << false;
        QTest::addRow("%s, closed", name) << form.first << form.second << true;
    }
}

void TestCli::unwritableStandardOutput()
{
#if defined(Q_OS_UNIX)
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(bool, closed);
    QTemporaryDir dir;
    const QString ok = dir.filePath(QStringLiteral("ok.txt")), full = dir.filePath(QStringLiteral("lleno"));
    QVERIFY(putFile(ok, savedComment() + "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"));
    const QByteArray before = fileBytes(ok);
    // As /dev/full, made in the test's folder where the test may.
    if (geteuid() != 0 || ::mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), full));
    QProcess process;
    if (closed)
        process.setChildProcessModifier([] { ::close(1); });
    else
        process.setStandardOutputFile(full);
    process.start(qEnvironmentVariable("VEXP_CLI"), filledIn(arguments, {}, {}, ok));
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), status);
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()),
             QStringLiteral("vandrel-exp: No se pudo escribir en la salida estándar.\n"));
    QCOMPARE(fileBytes(ok), before); // a closed output's number never went to a file the command opened
#else
    QSKIP("a full device and a closed stream as POSIX has them");
#endif
}

void TestCli::textOutputIsOneLineAFinding()
{
    // A file name with a line end and a tab, a cell that would turn the
    // terminal red: one line a finding, nothing raw, JSON as it was.
    QTemporaryDir dir;
#if defined(Q_OS_WIN) // names hold no control characters there
    const QString path = dir.filePath(QStringLiteral("mal nombre.txt")), shown = path;
#else
    const QString path = dir.filePath(QStringLiteral("mal\nnombre\t.txt"));
    const QString shown = dir.filePath(QStringLiteral("mal\\nnombre\\t.txt"));
#endif
    QVERIFY(putFile(path, savedComment() + "\x1b[31m,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"));
    const Run text = runCli({QStringLiteral("comprobar"), path});
    QCOMPARE(text.exitCode, 1);
    QCOMPARE(QString::fromUtf8(text.out),
             QStringLiteral("%1:2:1: error: Nob Base: «\\x1b[31m» no es un número entero sin signo\n").arg(shown)
                 + lastLevelsLine(1) + QStringLiteral("1 error, 0 avisos en 1 nivel\n"));
    const Run json = runCli({QStringLiteral("comprobar"), path, QStringLiteral("--json")});
    const QJsonObject document =
        QJsonDocument::fromJson(json.out).object().value(QStringLiteral("archivos")).toArray().at(0).toObject();
    QCOMPARE(document.value(QStringLiteral("archivo")).toString(), path); // JSON escapes it itself
    const Run missing = runCli({QStringLiteral("comprobar"), path + QStringLiteral("x")});
    QCOMPARE(missing.exitCode, 2);
    QCOMPARE(QString::fromUtf8(missing.err).count(u'\n'), 1);
    QVERIFY2(missing.err.startsWith("vandrel-exp: " + shown.toUtf8() + "x: "), missing.err.constData());
}

void TestCli::standardOutputAppendedTo()
{
#if defined(Q_OS_UNIX)
    // A script's ">> informe": /dev/stdout is the descriptor the shell
    // opened for appending, not a file to open anew or to replace.
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("informe.txt"));
    QVERIFY(putFile(log, "antes\n"));
    QProcess shell;
    shell.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("\"$0\" generar -o /dev/stdout >> \"$1\""),
                                       qEnvironmentVariable("VEXP_CLI"), log});
    QVERIFY(shell.waitForFinished(30000));
    QCOMPARE(shell.exitCode(), 0);
    const Run alone = runCli({QStringLiteral("generar")});
    QCOMPARE(fileBytes(log), "antes\n" + alone.out);
#else
    QSKIP("the process's descriptors by name are POSIX's");
#endif
}

#if defined(Q_OS_UNIX)
namespace {

// A folder's file names as raw bytes, sorted: what the system holds, not
// what Qt would make of it.
QList<QByteArray> rawEntries(const QString &folder)
{
    QList<QByteArray> names;
    if (DIR *dir = ::opendir(QFile::encodeName(folder).constData())) {
        while (const dirent *entry = ::readdir(dir))
            if (entry->d_name[0] != '.')
                names += QByteArray(entry->d_name);
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A file's bytes by its raw name, or "<missing>".
QByteArray rawFileBytes(const QString &folder, const QByteArray &name)
{
    std::ifstream in((QFile::encodeName(folder) + '/' + name).toStdString(), std::ios::binary);
    if (!in)
        return "<missing>";
    return QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(in), {}));
}

} // namespace
#endif

void TestCli::latin1NamesAsGiven_data()
{
    // Each command takes its file names as bytes (the names themselves are
    // core/file_name's tests). Latin-1 names (from old zips and servers):
    // "año" as one byte 0xf1 in $N, which holds a table, and "aéo" as 0xe9
    // in $M, which does not exist. Both would be the same name once decoded as UTF-8 (U+FFFD), so
    // a command that changed names would read or write the wrong file.
    QTest::addColumn<QString>("command"); // $V: the tool; $OK: a clean table, in the form normalizar writes
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");        // a line standard output holds, or empty
    QTest::addColumn<QString>("error");      // standard error, whole
    QTest::addColumn<QByteArray>("written"); // a file that now holds $OK's table, or empty
    QTest::addColumn<QList<QByteArray>>("files");
    const QList<QByteArray> before{"a\xf1o.txt", "ok.txt"};
    QTest::newRow("normalizar into it") << QStringLiteral("\"$V\" normalizar \"$OK\" \"$N\"") << 0 << QString()
                                        << QString() << QByteArray("a\xf1o.txt") << before;
    QTest::newRow("normalizar from it into another")
        << QStringLiteral("\"$V\" normalizar \"$N\" \"$M\"") << 0 << QString() << QString() << QByteArray("a\xe9o.txt")
        << QList<QByteArray>{"a\xe9o.txt", "a\xf1o.txt", "ok.txt"};
    QTest::newRow("generar -o a new one")
        << QStringLiteral("\"$V\" generar -o \"$M\" && test -s \"$M\"") << 0 << QString() << QString() << QByteArray()
        << QList<QByteArray>{"a\xe9o.txt", "a\xf1o.txt", "ok.txt"};
    QTest::newRow("comprobar the one that is not there")
        << QStringLiteral("\"$V\" comprobar \"$M\"") << 2 << QString()
        << QStringLiteral("vandrel-exp: a\\xe9o.txt: No existe el archivo o la carpeta.\n") << QByteArray() << before;
    QTest::newRow("comparar with it") << QStringLiteral("\"$V\" comparar \"$OK\" \"$N\"") << 0 << QString() << QString()
                                      << QByteArray() << before;
    QTest::newRow("grafico of it into another")
        << QStringLiteral("\"$V\" grafico \"$N\" -o \"$M.png\" && test -s \"$M.png\"") << 0 << QString() << QString()
        << QByteArray() << QList<QByteArray>{"a\xe9o.txt.png", "a\xf1o.txt", "ok.txt"};
}

void TestCli::latin1NamesAsGiven()
{
#if defined(Q_OS_UNIX)
    QFETCH(QString, command);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, error);
    QFETCH(QByteArray, written);
    QFETCH(QList<QByteArray>, files);
    QTemporaryDir dir;
    const auto removeRawNames = qScopeGuard([&] { // which QTemporaryDir cannot name
        for (const QByteArray &name : rawEntries(dir.path()))
            ::unlink((QFile::encodeName(dir.path()) + '/' + name).constData());
    });
    const QByteArray table = savedComment() + "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n";
    QVERIFY(putFile(dir.filePath(QStringLiteral("ok.txt")), table));
    QProcess shell;
    shell.setWorkingDirectory(dir.path());
    // The table in $N in another form (LF), so that a rewrite shows.
    const QString script = QStringLiteral("V=$0; N=$(printf 'a\\361o.txt'); M=$(printf 'a\\351o.txt'); OK=ok.txt; "
                                          "printf '1,2,3,4,5,6,7,8,9,10,11,12,13,14\\n' > \"$N\"; ")
                           + command;
    shell.start(QStringLiteral("sh"), {QStringLiteral("-c"), script, qEnvironmentVariable("VEXP_CLI")});
    QVERIFY(shell.waitForFinished(30000));
    QCOMPARE(QString::fromUtf8(shell.readAllStandardError()), error);
    QCOMPARE(shell.exitCode(), status);
    if (!out.isEmpty())
        QVERIFY2(QString::fromUtf8(shell.readAllStandardOutput()).contains(out), qPrintable(out));
    QCOMPARE(rawEntries(dir.path()), files); // no file under a name nobody gave
    if (!written.isEmpty())
        QCOMPARE(rawFileBytes(dir.path(), written), table);
#else
    QSKIP("names as bytes are POSIX's; Windows gives its programs UTF-16 names");
#endif
}

void TestCli::reasonsInSpanish_data()
{
    QTest::addColumn<int>("code"); // an error number, as the system sets it
    QTest::addColumn<QString>("spanish");
#if defined(Q_OS_UNIX)
    const std::pair<int, const char *> reasons[] = {
        {EPERM, "Operación no permitida"},
        {EACCES, "Permiso denegado"},
        {EROFS, "El sistema de archivos es de solo lectura"},
        {ENAMETOOLONG, "El nombre del archivo es demasiado largo"},
        {ELOOP, "Demasiados niveles de enlaces simbólicos"},
        {ENOSPC, "No queda espacio en el dispositivo"},
        {EDQUOT, "Se ha superado la cuota de disco"},
        {EFBIG, "El archivo supera el tamaño máximo permitido a este proceso"},
        {ENOTCONN, "El sistema de archivos ya no está conectado (un montaje de red o FUSE caído)"},
        {ESTALE, "El archivo ya no existe en el servidor de archivos (identificador caducado)"},
        {ETIMEDOUT, "El servidor de archivos no responde a tiempo"},
        {EHOSTDOWN, "El servidor de archivos está apagado"},
        {EISDIR, "Es una carpeta"},
        {ENOTDIR, "Una parte de la ruta no es una carpeta"},
        {ENOENT, "No existe el archivo o la carpeta"},
        {EEXIST, "El archivo ya existe"},
        {EBUSY, "El dispositivo o el recurso está ocupado"},
        {ETXTBSY, "El archivo está en uso"},
        {EXDEV, "El enlace cruza de un sistema de archivos a otro"},
        {EMFILE, "Demasiados archivos abiertos"},
        {EIO, "Error de entrada/salida"},
        {ECHRNG, "Error del sistema 44"}, // one of no text of ours: still no English
    };
    for (const auto &[code, spanish] : reasons)
        QTest::addRow("%s", strerrorname_np(code)) << code << QString::fromUtf8(spanish);
#endif
}

void TestCli::reasonsInSpanish()
{
#if defined(Q_OS_UNIX)
    QFETCH(int, code);
    QFETCH(QString, spanish);
    // Qt words a failure with the C library's text, in the locale's language:
    // under C and C.UTF-8 (containers, many servers) that is English.
    for (const char *locale : {"C", "C.UTF-8"}) {
        const std::string former = std::setlocale(LC_MESSAGES, nullptr);
        QVERIFY(std::setlocale(LC_MESSAGES, locale));
        const QString qtText = qt_error_string(code), reason = systemReason(code);
        const QString failure = systemFailure(QStringLiteral("Exp.txt"), qtText);
        std::setlocale(LC_MESSAGES, former.c_str());
        QCOMPARE(reason, spanish);
        QCOMPARE(failure, spanish);
    }
    if (code == ENAMETOOLONG) {
        // And a real one, from the tool in the C locale.
        QTemporaryDir dir;
        QProcessEnvironment c = QProcessEnvironment::systemEnvironment();
        c.insert(QStringLiteral("LANG"), QStringLiteral("C"));
        c.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        const QString name = dir.filePath(QString(300, u'x'));
        const Run run = runCli({QStringLiteral("generar"), QStringLiteral("-o"), name}, c);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(QString::fromUtf8(run.err), QStringLiteral("vandrel-exp: %1: %2.\n").arg(name, spanish));
    }
#else
    QSKIP("error numbers as POSIX has them; Windows' own are worded in core/system_error_win.cpp");
#endif
}

void TestCli::exportarWritesTheDatabase()
{
    const Run generated = runCli({QStringLiteral("generar"), QStringLiteral("--cortar")});
    QCOMPARE(generated.exitCode, 0);
    const Run run = runCliWithInput({QStringLiteral("exportar"), QStringLiteral("-")}, generated.out);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    QVERIFY(run.out.startsWith("# ")); // which table and program, and where it goes
    QVERIFY(run.out.contains("db/import/job_stats.yml"));
    const YAML::Node root = YAML::Load(run.out.toStdString());
    QCOMPARE(root["Header"]["Type"].as<std::string>(), std::string("JOB_STATS"));
    QCOMPARE(root["Header"]["Version"].as<int>(), 2);
    QCOMPARE(int(root["Body"].size()), 9); // the servers' own nine groups of those columns
    QCOMPARE(root["Body"][0]["Jobs"]["Novice"].as<bool>(), true);
    QCOMPARE(root["Body"][0]["MaxBaseLevel"].as<int>(), 99);
}

void TestCli::exportarRefusesAndWarns_data()
{
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("before"); // the output file's bytes before; empty for none
    QTest::addColumn<QString>("message");   // standard error, whole; a refusal when "vandrel-exp: t.txt: el" etc.
    QTest::addColumn<int>("status");
    const QByteArray five = "5,5,5,5,5,5,5,5,5,5,5,5,5,5\r\n", zeros = "0,0,0,0,0,0,0,0,0,0,0,0,0,0\r\n";
    QTest::newRow("a value that is no number")
        << five + "1E+15,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n" + zeros << QStringList{} << QByteArray("antes")
        << QStringLiteral("vandrel-exp: t.txt: el nivel 2 (línea 3), columna Nob Base, tiene «1E+15», que no es un "
                          "número entero de 0 a 18446744073709551615; no se ha escrito nada.\n")
        << 1;
    QTest::newRow("no level") << QByteArray() << QStringList{} << QByteArray("antes")
                              << QStringLiteral("vandrel-exp: t.txt: la tabla no tiene ningún nivel; no se ha escrito "
                                                "nada.\n")
                              << 1;
    QTest::newRow("never 0") << five + "6,0,0,0,0,0,0,0,0,0,0,0,0,6\r\n"
                             << QStringList{} << QByteArray()
                             << QStringLiteral("vandrel-exp: aviso: t.txt: Nob Base y Job 2a: ningún valor es 0, así "
                                               "que el último nivel es 3, el de la fila que sigue a la última, como "
                                               "lo ve el servidor.\n")
                             << 0;
    QTest::newRow("cut by MAX_LEVEL")
        << five.repeated(9) + zeros << QStringList{QStringLiteral("--nivel-maximo"), QStringLiteral("4")}
        << QByteArray()
        << QStringLiteral("vandrel-exp: aviso: t.txt: Novice, Swordman, Mage, Archer y 70 más: el nivel base máximo "
                          "queda en 4 (t.yml:86:19): el servidor, compilado con MAX_LEVEL 4, corta el 10 de Nob Base, "
                          "Base 1, Base 2, Sup Nob Base, High Nob Base, Base 1a y Base 2a.\n"
                          "vandrel-exp: aviso: t.txt: Novice, Baby, Swordman, Mage y 66 más: el nivel de trabajo "
                          "máximo queda en 4 (t.yml:179:18): el servidor, compilado con MAX_LEVEL 4, corta el 10 de "
                          "Nob Job, Job 1, Job 2, Sup Nob Job, High Nob Job, Job 1a y Job 2a.\n")
        << 0;
    QTest::newRow("an output that is no job database")
        << five + zeros << QStringList{} << QByteArray("antes")
        << QStringLiteral("vandrel-exp: t.yml:1:1: no es una base de datos de trabajos: le falta la cabecera "
                          "(Header); el servidor no carga el archivo. No se ha escrito nada.\n")
        << 1;
    QTest::newRow("a level limit that is no level")
        << five + zeros << QStringList{QStringLiteral("--nivel-maximo"), QStringLiteral("0")} << QByteArray("antes")
        << QStringLiteral("vandrel-exp: --nivel-maximo necesita el MAX_LEVEL del servidor, un número de 1 a 65535.\n")
        << 1;
}

void TestCli::exportarRefusesAndWarns()
{
    QFETCH(QByteArray, rows);
    QFETCH(QStringList, options);
    QFETCH(QByteArray, before);
    QFETCH(QString, message);
    QFETCH(int, status);
    QTemporaryDir dir;
    const QString table = dir.filePath(QStringLiteral("t.txt")), yaml = dir.filePath(QStringLiteral("t.yml"));
    QVERIFY(putFile(table, savedComment() + rows));
    if (!before.isEmpty())
        QVERIFY(putFile(yaml, before));
    const Run run = runCli(
        QStringList{QStringLiteral("exportar"), QStringLiteral("t.txt"), QStringLiteral("-o"), QStringLiteral("t.yml")}
            + options,
        QProcessEnvironment::systemEnvironment(), {}, dir.path());
    QCOMPARE(run.exitCode, status);
    QCOMPARE(QString::fromUtf8(run.err), message);
    QCOMPARE(run.out, QByteArray());
    if (status != 0)
        QCOMPARE(QFileInfo::exists(yaml) ? fileBytes(yaml) : QByteArray(), before);
    else
        QVERIFY(YAML::LoadFile(yaml.toStdString())["Body"].size() > 0);
}

void TestCli::exportarIntoTheImportFile()
{
    QTemporaryDir dir;
    const QString table = dir.filePath(QStringLiteral("Exp.txt")),
                  stats = dir.filePath(QStringLiteral("job_stats.yml"));
    QCOMPARE(runCli({QStringLiteral("generar"), QStringLiteral("--cortar"), QStringLiteral("-o"), table}).exitCode, 0);
    const QByteArray head = "# mis tablas\r\nHeader:\r\n  Type: JOB_STATS\r\n  Version: 3\r\n\r\nBody:\r\n"
                            "  - Jobs:\r\n      Knight: true\r\n    MaxWeight: 28000\r\n",
                     tail = "\r\n# fin\r\n";
    QVERIFY(putFile(stats, head + tail));
    const QStringList exportar{QStringLiteral("exportar"), table, QStringLiteral("-o"), stats};
    const Run first = runCli(exportar);
    QCOMPARE(first.exitCode, 0);
    QCOMPARE(first.err, QByteArray());
    const QByteArray written = fileBytes(stats);
    QVERIFY(written.startsWith(head + "  # >>> vandrel-exp: la tabla «Exp.txt»"));
    QVERIFY(written.endsWith("  # <<< vandrel-exp: fin del bloque\r\n" + tail));
    QCOMPARE(written.count("\r\n"), written.count('\n')); // the file's own line ends
    // Again: the block replaced where it stands, byte for byte the same.
    QCOMPARE(runCli(exportar).exitCode, 0);
    QCOMPARE(fileBytes(stats), written);
    // A Body the block cannot go into without touching other bytes: refused, nothing written.
    const QByteArray flow = "Header:\n  Type: JOB_STATS\n  Version: 2\nBody: []\n";
    QVERIFY(putFile(stats, flow));
    const Run refused = runCli(exportar);
    QCOMPARE(refused.exitCode, 1);
    QCOMPARE(refused.err.count('\n'), 1);
    QVERIFY(refused.err.contains("Body está escrito como una lista"));
    QCOMPARE(fileBytes(stats), flow);
}

void TestCli::exportarWithTheServersGroups()
{
    QTemporaryDir dir;
    const QString table = dir.filePath(QStringLiteral("Exp.txt")), base = dir.filePath(QStringLiteral("job_exp.yml"));
    QCOMPARE(runCli({QStringLiteral("generar"), QStringLiteral("--cortar"), QStringLiteral("-o"), table}).exitCode, 0);
    QVERIFY(putFile(base, representativesFile()));
    const Run run = runCli({QStringLiteral("exportar"), table, QStringLiteral("--base"), base});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    // The base's groups: each representative alone there, so only its own
    // job; equal columns share an entry, as without a base.
    const YAML::Node body = YAML::Load(run.out.toStdString())["Body"];
    QCOMPARE(int(body.size()), 9);
    QCOMPARE(int(body[0]["Jobs"].size()), 4);
    QVERIFY(body[0]["Jobs"]["Supernovice"] && !body[0]["Jobs"]["Baby"]);
    // A base that is no job database: refused with its place.
    QVERIFY(putFile(base, "x: 1\n"));
    const Run refused = runCli({QStringLiteral("exportar"), table, QStringLiteral("--base"), base});
    QCOMPARE(refused.exitCode, 1);
    QCOMPARE(refused.out, QByteArray());
    QVERIFY(refused.err.startsWith("vandrel-exp: " + base.toUtf8() + ":1:1: no es una base de datos de trabajos"));
}

void TestCli::importarReadsTheChain()
{
    QTemporaryDir dir;
    const QString shipped = dir.filePath(QStringLiteral("job_exp.yml")), import = dir.filePath(QStringLiteral("i.yml")),
                  out = dir.filePath(QStringLiteral("Exp.txt"));
    QVERIFY(putFile(shipped, representativesFile(3, 2)));
    QVERIFY(putFile(import, jobHeader()
                                + "  - Jobs:\n      Knight: false\n    BaseExp:\n      - Level: 2\n"
                                  "        Exp: 77\n"));
    const Run run = runCli(
        {QStringLiteral("importar"), QStringLiteral("job_exp.yml"), QStringLiteral("i.yml"), QStringLiteral("-o"), out},
        QProcessEnvironment::systemEnvironment(), {}, dir.path());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(QString::fromUtf8(run.err), QStringLiteral("vandrel-exp: aviso: i.yml:7:15: Knight: false: el servidor no "
                                                        "lee el valor y aplica la entrada a Knight igual.\n"));
    QCOMPARE(fileBytes(out), savedComment()
                                 + "10,10,10,10,10,10,10,3,3,3,3,3,3,3\r\n"
                                   "20,20,77,20,20,20,20,0,0,0,0,0,0,0\r\n"
                                   "0,0,0,0,0,0,0,0,0,0,0,0,0,0\r\n");
}

void TestCli::importarRefusals_data()
{
    QTest::addColumn<QByteArray>("yaml");
    QTest::addColumn<QString>("message");
    QTest::newRow("not YAML") << QByteArray("Header: [1,\n b: }\n")
                              << QStringLiteral("i.yml:2:5: no es un documento YAML válido; el servidor no carga el "
                                                "archivo.");
    QTest::newRow("version 5") << QByteArray("Header:\n  Type: JOB_STATS\n  Version: 5\n")
                               << QStringLiteral("i.yml:3:12: la cabecera dice Version: 5, y los servidores leen de "
                                                 "la 2 a la 4.");
    QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + jobHeader()
                                     << QStringLiteral("i.yml:1:1: empieza con una marca de orden de bytes UTF-8: el "
                                                       "servidor no encuentra la cabecera y no carga el archivo. "
                                                       "Guárdelo sin ella (UTF-8 sin BOM).");
    QTest::newRow("past 16 MiB") << jobHeader() + QByteArray(16 << 20, '#')
                                 << QStringLiteral("i.yml: El archivo pasa de 16 MiB, muy por encima de cualquier base "
                                                   "de datos de trabajos real; no se ha leído.");
    QTest::newRow("no representative job") << jobHeader()
                                           << QStringLiteral("ningún archivo da la experiencia de Novice, que va a "
                                                             "las columnas Nob Base y Nob Job.");
}

void TestCli::importarRefusals()
{
    QFETCH(QByteArray, yaml);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("i.yml")), out = dir.filePath(QStringLiteral("Exp.txt"));
    QVERIFY(putFile(in, yaml));
    QVERIFY(putFile(out, "antes"));
    const Run run = runCli({QStringLiteral("importar"), QStringLiteral("i.yml"), QStringLiteral("-o"), out},
                           QProcessEnvironment::systemEnvironment(), {}, dir.path());
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(QString::fromUtf8(run.err), QStringLiteral("vandrel-exp: %1\n").arg(message));
    QCOMPARE(fileBytes(out), QByteArray("antes"));
}

void TestCli::exportarImportarRoundTrip_data()
{
    QTest::addColumn<QStringList>("generation");
    QTest::newRow("default") << QStringList{};
    QTest::newRow("255 levels, cut") << QStringList{
        QStringLiteral("--cortar"), QStringLiteral("--SegABase"), QStringLiteral("255"), QStringLiteral("--NHigJob"),
        QStringLiteral("1"),        QStringLiteral("--FJob"),     QStringLiteral("2")};
}

void TestCli::exportarImportarRoundTrip()
{
    QFETCH(QStringList, generation);
    QTemporaryDir dir;
    const QString table = dir.filePath(QStringLiteral("Exp.txt")), yaml = dir.filePath(QStringLiteral("job_stats.yml")),
                  back = dir.filePath(QStringLiteral("vuelta.txt"));
    const Run generated = runCli(QStringList{QStringLiteral("generar"), QStringLiteral("-o"), table} + generation);
    QCOMPARE(generated.exitCode, 0);
    QCOMPARE(runCli({QStringLiteral("exportar"), table, QStringLiteral("-o"), yaml}).exitCode, 0);
    const Run run = runCli({QStringLiteral("importar"), yaml, QStringLiteral("-o"), back});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, generated.err); // values past 32 bits: the same warning
    QCOMPARE(fileBytes(back), fileBytes(table));
}

void TestCli::comprobarOfAChain()
{
    QTemporaryDir dir;
    QVERIFY(putFile(dir.filePath(QStringLiteral("job_exp.yml")), representativesFile(3, 2)));
    QVERIFY(putFile(dir.filePath(QStringLiteral("i.yml")), jobHeader()
                                                               + "  - Jobs:\n      Knight: true\n"
                                                                 "    MaxBaseLevel: 5\n"));
    const auto comprobar = [&](const QStringList &more) {
        return runCli(QStringList{QStringLiteral("comprobar"), QStringLiteral("job_exp.yml")} + more,
                      QProcessEnvironment::systemEnvironment(), {}, dir.path());
    };
    const Run clean = comprobar({});
    QCOMPARE(clean.exitCode, 0);
    QCOMPARE(clean.err, QByteArray());
    QVERIFY2(clean.out.startsWith("Niveles máximos (MAX_LEVEL 275):\n  Novice: base 3 (job_exp.yml:8:19), trabajo 2 "
                                  "(job_exp.yml:"),
             clean.out.constData());
    QVERIFY(clean.out.endsWith("job_exp.yml: 0 errores, 0 avisos en 7 trabajos\n"));
    // The admin's maximum raised without experience: an error, where it was raised.
    const Run raised = comprobar({QStringLiteral("i.yml"), QStringLiteral("--nivel-maximo"), QStringLiteral("250")});
    QCOMPARE(raised.exitCode, 1);
    QVERIFY2(raised.out.startsWith("i.yml:8:19: error: Knight: el nivel base 4 no tiene experiencia y el máximo es 5"),
             raised.out.constData());
    QVERIFY(raised.out.contains("  Knight: base 5 (i.yml:8:19), trabajo 2 (job_exp.yml:"));
    const QJsonObject json = QJsonDocument::fromJson(comprobar({QStringLiteral("i.yml"), QStringLiteral("--json")}).out)
                                 .object()
                                 .value(QStringLiteral("cadena_yaml"))
                                 .toObject();
    QCOMPARE(json.value(QStringLiteral("nivel_maximo")).toInt(), 275);
    QCOMPARE(json.value(QStringLiteral("trabajos")).toArray().size(), 7);
    QCOMPARE(json.value(QStringLiteral("hallazgos")).toArray().at(0).toObject().value(QStringLiteral("codigo")),
             QStringLiteral("sin_experiencia"));
    const Run badLimit = comprobar({QStringLiteral("--nivel-maximo"), QStringLiteral("x")});
    QCOMPARE(badLimit.exitCode, 2);
    QCOMPARE(badLimit.out, QByteArray());
}

void TestCli::generarCortar()
{
    // The golden table with each column's zeros written in from its
    // group's maximum level on (10 for Novice and Novice High jobs, 50 and
    // 70 for the others' jobs, 99 for every base).
    const QList<QByteArray> golden = fileBytes(QFINDTESTDATA("generation/golden/defecto_99.txt")).split('\n');
    const int maximum[15] = {0, 99, 99, 99, 99, 99, 99, 99, 10, 50, 50, 70, 10, 50, 70};
    QByteArray expected = golden[0] + '\n';
    for (int level = 1; level + 1 < golden.size(); ++level) {
        QList<QByteArray> fields = golden[level].chopped(1).split(',');
        for (int column = 1; column <= 14; ++column)
            if (level >= maximum[column])
                fields[column - 1] = "0";
        expected += fields.join(',') + "\r\n";
    }
    const Run run = runCli({QStringLiteral("generar"), QStringLiteral("--cortar")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, expected);
    QCOMPARE(run.out.count("\r\n"), golden.size() - 1);
    // comprobar sees each group end there.
    const Run check = runCliWithInput({QStringLiteral("comprobar"), QStringLiteral("-")}, run.out);
    QVERIFY2(check.out.contains("Nob Job 10, Job 1 50, Job 2 50, Sup Nob Job 70, High Nob Job 10, Job 1a 50, Job 2a "
                                "70\n"),
             check.out.constData());
}

void TestCli::groupFilesContract()
{
    // The libconfig family's files: what exportar, importar and comprobar
    // promise on exit status, streams and what is left written.
    QTemporaryDir dir;
    const QString table = dir.filePath(QStringLiteral("Exp.txt")), groups = dir.filePath(QStringLiteral("g.conf")),
                  links = dir.filePath(QStringLiteral("j.conf")), back = dir.filePath(QStringLiteral("back.txt"));
    // Five levels; Swordsman's base curve (column 2) apart from the other three of its group.
    QByteArray rows = savedComment();
    for (int level = 1; level <= 5; ++level) {
        QByteArray row = QByteArray::number(level * 10) + ',' + QByteArray::number(level * 15);
        for (int column = 3; column <= 14; ++column)
            row += ',' + QByteArray::number(level * (column <= 4 ? 10 : column));
        rows += row + "\r\n";
    }
    QVERIFY(putFile(table, rows + "0,0,0,0,0,0,0,0,0,0,0,0,0,0\r\n"));
    QVERIFY(putFile(groups, shippedLikeGroups()));
    QVERIFY(putFile(links, shippedLikeLinks()));
    const QStringList exportar{QStringLiteral("exportar"), table, QStringLiteral("--trabajos"), links,
                               QStringLiteral("-o"),       groups};
    // The generated base curves differ where the groups are shared: refused, nothing written.
    const Run refused = runCli(exportar);
    QCOMPARE(refused.exitCode, 1);
    QCOMPARE(refused.out, QByteArray());
    QCOMPARE(refused.err.count('\n'), 1);
    QVERIFY2(refused.err.startsWith("vandrel-exp: ") && refused.err.contains("--separar"), refused.err.constData());
    QCOMPARE(fileBytes(groups), shippedLikeGroups());
    QCOMPARE(fileBytes(links), shippedLikeLinks());
    // Split: both files written, warnings only, and read back the same.
    const Run split = runCli(exportar + QStringList{QStringLiteral("--separar")});
    QCOMPARE(split.exitCode, 0);
    QCOMPARE(split.out, QByteArray());
    for (const QByteArray &line : split.err.split('\n'))
        QVERIFY2(line.isEmpty() || line.startsWith("vandrel-exp: aviso: "), line.constData());
    QVERIFY(fileBytes(links) != shippedLikeLinks());
    const Run imported =
        runCli({QStringLiteral("importar"), groups, QStringLiteral("--trabajos"), links, QStringLiteral("-o"), back});
    QCOMPARE(imported.exitCode, 0);
    QCOMPARE(runCli({QStringLiteral("comparar"), table, back}).exitCode, 0);
    const Run checked =
        runCli({QStringLiteral("comprobar"), groups, QStringLiteral("--trabajos"), links, QStringLiteral("--json")});
    QCOMPARE(checked.exitCode, 0);
    const QJsonObject report =
        QJsonDocument::fromJson(checked.out).object().value(QStringLiteral("grupos_libconfig")).toObject();
    QCOMPARE(report.value(QStringLiteral("trabajos")).toArray().size(), 128);
    QCOMPARE(report.value(QStringLiteral("hallazgos")).toArray().size(), 0);
    // The job_db.conf among the files stands for --trabajos.
    const Run operands = runCli({QStringLiteral("comprobar"), links, groups});
    QCOMPARE(operands.exitCode, 0);
    QVERIFY(operands.out.endsWith(": 0 errores, 0 avisos en 15 grupos y 128 trabajos\n"));
    // Standard output cannot be edited in place.
    const Run toOutput = runCli({QStringLiteral("exportar"), table, QStringLiteral("--formato"),
                                 QStringLiteral("libconfig"), QStringLiteral("-o"), QStringLiteral("-")});
    QCOMPARE(toOutput.exitCode, 1);
    QCOMPARE(toOutput.out, QByteArray());
    // A file the server fails whole: refused with its place, nothing written.
    QVERIFY(putFile(groups, "base_exp_group_db: {\n A: { MaxLevel: 3 Exp: [ 1, 2L ] }\n}\n"));
    const Run mixed = runCli({QStringLiteral("importar"), groups, QStringLiteral("-o"), back});
    QCOMPARE(mixed.exitCode, 1);
    QVERIFY2(mixed.err.contains("g.conf:2:29: el array mezcla"), mixed.err.constData());
    QCOMPARE(runCli(exportar).exitCode, 1);
    QCOMPARE(fileBytes(groups), QByteArray("base_exp_group_db: {\n A: { MaxLevel: 3 Exp: [ 1, 2L ] }\n}\n"));
}

void TestCli::sarifSaysWhatWasNotRead()
{
    // A file that cannot be read is exit 2, and a code-scanning page must not
    // show the run as clean: the log says the run did not succeed, and why.
    QTemporaryDir dir;
    QVERIFY(putFile(dir.filePath(QStringLiteral("Exp.txt")), savedComment() + "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"));
    const Run run = runCli({QStringLiteral("comprobar"), QStringLiteral("--sarif"), QStringLiteral("Exp.txt"),
                            QStringLiteral("falta.txt")},
                           QProcessEnvironment::systemEnvironment(), {}, dir.path());
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.contains("falta.txt"));
    const QJsonObject log = QJsonDocument::fromJson(run.out).object();
    const QJsonObject invocation = log.value(QStringLiteral("runs"))
                                       .toArray()
                                       .at(0)
                                       .toObject()
                                       .value(QStringLiteral("invocations"))
                                       .toArray()
                                       .at(0)
                                       .toObject();
    QCOMPARE(invocation.value(QStringLiteral("executionSuccessful")), QJsonValue(false));
    // What the notification holds is the report's own test (tst_check_reports).
    QCOMPARE(invocation.value(QStringLiteral("toolExecutionNotifications")).toArray().size(), 1);
}

void TestCli::manualListsEveryOption()
{
    // Every option of the command table has its entry in the manual page's
    // OPCIONES (generar's twenty parameters, by the first and the last).
    QFile manual(QFINDTESTDATA("../../packaging/man/vandrel-exp.1"));
    QVERIFY(manual.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(manual.readAll());
    text = text.mid(text.indexOf(QStringLiteral(".SH OPCIONES")));
    text = text.left(text.indexOf(QStringLiteral("\n.SH "), 1)).replace(QStringLiteral("\\-"), QStringLiteral("-"));
    QStringList parameters;
    for (const ParameterField &parameter : parameterFields())
        parameters << QStringLiteral("--%1").arg(QString::fromUtf8(parameter.name));
    for (const Command &command : commandTable())
        for (const OptionSpec &option : command.options)
            if (!parameters.contains(option.name) || option.name == parameters.first()
                || option.name == parameters.last())
                QVERIFY2(text.contains(option.name + u' ') || text.contains(option.name + u'\n')
                             || text.contains(option.name + u'"'),
                         qPrintable(option.name));
}

void TestCli::helpAnywhere_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("help");
    QTest::newRow("alone") << "comparar" << QStringList{QStringLiteral("--help")} << true;
    QTest::newRow("after a parameter") << "generar"
                                       << QStringList{QStringLiteral("--MultExp"), QStringLiteral("5"),
                                                      QStringLiteral("-h")}
                                       << true;
    QTest::newRow("before a parameter") << "generar"
                                        << QStringList{QStringLiteral("--help"), QStringLiteral("--MultExp"),
                                                       QStringLiteral("5")}
                                        << true;
    QTest::newRow("an option's value") << "generar" << QStringList{QStringLiteral("-o"), QStringLiteral("--help")}
                                       << false;
    QTest::newRow("after --") << "comprobar" << QStringList{QStringLiteral("--"), QStringLiteral("--help")} << false;
    QTest::newRow("none") << "comprobar" << QStringList{QStringLiteral("Exp.txt")} << false;
}

void TestCli::helpAnywhere()
{
    QFETCH(QString, command);
    QFETCH(QStringList, args);
    QFETCH(bool, help);
    const Command *found = findCommand(command);
    QVERIFY(found);
    QCOMPARE(asksForHelp(*found, args), help);
    if (!help)
        return;
    // The tool shows that command's help, and does nothing else.
    const Run run = runCli(QStringList{command} + args);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, usageOf(*found).toUtf8());
    QCOMPARE(run.err, QByteArray());
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
