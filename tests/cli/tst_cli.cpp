#include "generation/core/generador.h"
#include "generation/core/parametros.h"
#include "parameter_values.h"
#include "table/core/experience_table.h"
#include "table/core/table_file.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int exitCode;
    QByteArray out;
    QByteArray err;
};

Run runCli(const QStringList &arguments)
{
    QProcess process;
    process.start(qEnvironmentVariable("VEXP_CLI"), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
            process.readAllStandardError()};
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void generarWritesTheDefaultTable();
    void generarTakesTheBoxParameters();
    void failuresWriteNothing_data();
    void failuresWriteNothing();
    void normalizarRoundTrips_data();
    void normalizarRoundTrips();
    void parameterValuesAsTheDialog_data() { addParameterValueRows(); }
    void parameterValuesAsTheDialog();
    void helpLinesUpByCharacters();
};

void TestCli::generarWritesTheDefaultTable()
{
    const Run run = runCli({QStringLiteral("generar")});
    QCOMPARE(run.exitCode, 0);
    const QList<QByteArray> lines = run.out.split('\n');
    QCOMPARE(lines.size(), 101); // 100 lines and the empty piece after the last LF
    QCOMPARE(lines[0], QByteArray("//Archivo Creado Con Vandrel EXP Editor v1.0\r"));
    QCOMPARE(lines[1], QByteArray("9,9,9,9,10,10,10,10,10,15,20,11,30,60\r"));
    QCOMPARE(lines[8], QByteArray("17,17,17,17,19,19,19,17,17,25,35,18,52,104\r"));
    QCOMPARE(lines[98],
             QByteArray("88165,88165,88165,88165,96981,96981,96981,16969,16969,24933,35558,18327,52246,104439\r"));
    QCOMPARE(lines[99], QByteArray("0,0,0,0,0,0,0,0,0,0,0,0,0,0\r"));
    QVERIFY(run.out.endsWith("\r\n"));
    QCOMPARE(run.out.count('\n'), run.out.count("\r\n"));
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
    QBuffer expected;
    expected.open(QIODevice::WriteOnly);
    QVERIFY(GuardarTabla(expected, table, &error));
    QCOMPARE(fileBytes(path), expected.data());
    QCOMPARE(fileBytes(path).count('\n'), 121);
}

void TestCli::failuresWriteNothing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown option") << QStringList{QStringLiteral("generar"), QStringLiteral("--Nada"),
                                                   QStringLiteral("1")}
                                    << QStringLiteral("opción desconocida");
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
    const QString missing = QStringLiteral("No hay ningún fichero o directorio"), // Qt's Spanish
        folder = QStringLiteral("/: el archivo a abrir es un directorio");
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
    QFile former(path);
    QVERIFY(former.open(QIODevice::WriteOnly));
    former.write("antes\r\n");
    former.close();
    if (arguments.first() == QStringLiteral("generar"))
        arguments << QStringLiteral("-o") << path;
    else
        arguments << path;
    const Run run = runCli(arguments);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(QString::fromUtf8(run.err).contains(message), run.err.constData());
    QCOMPARE(fileBytes(path), QByteArray("antes\r\n"));
}

void TestCli::normalizarRoundTrips_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("output");
    const QByteArray c = "//Archivo Creado Con Vandrel EXP Editor v1.0\r\n";
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
    QFile file(in);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(input);
    file.close();
    const Run run = runCli({QStringLiteral("normalizar"), in, out});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(fileBytes(out), output);
    // Normalizing a normalized file changes nothing.
    QCOMPARE(runCli({QStringLiteral("normalizar"), out, in}).exitCode, 0);
    QCOMPARE(fileBytes(in), output);
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

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
