#include "generation/core/generador.h"
#include "generation/core/parametros.h"
#include "parameter_values.h"
#include "table/core/experience_table.h"
#include "table/core/table_file.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <QtEndian>

namespace {

struct Run
{
    int exitCode;
    QByteArray out;
    QByteArray err;
};

Run runCli(const QStringList &arguments,
           const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(qEnvironmentVariable("VEXP_CLI"), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
            process.readAllStandardError()};
}

// Builds without Qt Charts (Windows) say so in their help, and grafico refuses.
bool chartsBuilt()
{
    return !runCli({QStringLiteral("--help")}).out.contains("sin Qt Charts");
}

// Writes a test file whole; false when it could not.
bool putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
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
    void comprobarFindings_data();
    void comprobarFindings();
    void comprobarCleanTable();
    void compararTables();
    void graficoDraws_data();
    void graficoDraws();
    void graficoPngWithoutDisplay();
    void graficoRefusals_data();
    void graficoRefusals();
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
    QVERIFY(putFile(in, input));
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

void TestCli::comprobarFindings_data()
{
    // One file per finding; the finding expected at its line and field.
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("finding"); // "LÍNEA:CAMPO: gravedad codigo"
    const QByteArray c = "//Archivo Creado Con Vandrel EXP Editor v1.0\r\n";
    const QByteArray ok = "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n";
    QTest::newRow("campos") << c + ok + "1,2,3\r\n" << QStringList() << QStringLiteral("3:0: error campos");
    QTest::newRow("vacio") << c + "1,2,,4,5,6,7,8,9,10,11,12,13,14\r\n"
                           << QStringList() << QStringLiteral("2:3: error vacio");
    QTest::newRow("no_numerico, exponent") << c + "1,2,3,4,5,6,7,8,9,10,11,12,13,1.00860076172675E+15\r\n"
                                           << QStringList() << QStringLiteral("2:14: error no_numerico");
    QTest::newRow("no_numerico, sign") << c + "1,+2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"
                                       << QStringList() << QStringLiteral("2:2: error no_numerico");
    QTest::newRow("fuera_de_rango int32") << c + "2147483648,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"
                                          << QStringList() << QStringLiteral("2:1: error fuera_de_rango");
    const QStringList uint32 = {QStringLiteral("--tipo"), QStringLiteral("uint32")};
    QTest::newRow("within uint32") << c + "4294967295,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n" << uint32 << QString();
    QTest::newRow("fuera_de_rango uint32") << c + "1,4294967296,3,4,5,6,7,8,9,10,11,12,13,14\r\n"
                                           << uint32 << QStringLiteral("2:2: error fuera_de_rango");
    QTest::newRow("leading zeros stay in range") << c + "0002147483647,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"
                                                 << QStringList() << QString();
    QTest::newRow("niveles") << c + ok << QStringList{QStringLiteral("--niveles"), QStringLiteral("2")}
                             << QStringLiteral("2:0: error niveles");
    QTest::newRow("descenso") << c + ok + "1,2,3,4,5,6,7,8,9,10,11,12,13,13\r\n"
                              << QStringList() << QStringLiteral("3:14: aviso descenso");
    QTest::newRow("closing row of zeros is no fall") << c + ok + "0,0,0,0,0,0,0,0,0,0,0,0,0,0\r\n"
                                                     << QStringList() << QString();
    QTest::newRow("sin_comentario") << ok << QStringList() << QStringLiteral("1:0: aviso sin_comentario");
    QTest::newRow("linea_sin_coma") << c + ok + "\r\n" << QStringList() << QStringLiteral("3:0: aviso linea_sin_coma");
    QTest::newRow("fin_de_linea, LF") << c + "1,2,3,4,5,6,7,8,9,10,11,12,13,14\n"
                                      << QStringList() << QStringLiteral("2:0: aviso fin_de_linea");
    QTest::newRow("fin_de_linea, last line")
        << c + "1,2,3,4,5,6,7,8,9,10,11,12,13,14" << QStringList() << QStringLiteral("2:0: aviso fin_de_linea");
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
    const QJsonArray found = QJsonDocument::fromJson(json.out).object().value(QStringLiteral("hallazgos")).toArray();
    QCOMPARE(found.size(), lines.size() - 1); // the last line is the summary
    if (finding.isEmpty()) {
        QCOMPARE(found.size(), 0);
        return;
    }
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
    QCOMPARE(run.out, QByteArray("0 errores, 0 avisos en 99 niveles\n"));
    QCOMPARE(runCli({QStringLiteral("comprobar"), dir.filePath(QStringLiteral("no.txt"))}).exitCode, 2);
}

void TestCli::compararTables()
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.txt")), b = dir.filePath(QStringLiteral("b.txt")),
                  shorter = dir.filePath(QStringLiteral("c.txt"));
    QCOMPARE(runCli({QStringLiteral("generar"), QStringLiteral("-o"), a}).exitCode, 0);
    QFile file(a);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QList<QByteArray> edited = lines;
    edited[4].replace("12,12,12,12,13,", "12,12,12,12,99,"); // level 4, "High Nob Base"
    QVERIFY(putFile(b, edited.join('\n')));
    QVERIFY(putFile(shorter, lines.mid(0, 4).join('\n') + '\n')); // levels 1 to 3 only

    const Run same = runCli({QStringLiteral("comparar"), a, a});
    QCOMPARE(same.exitCode, 0);
    QCOMPARE(same.out, QByteArray("0 celdas distintas en 0 niveles\n"));
    const Run fewer = runCli({QStringLiteral("comparar"), shorter, a});
    QCOMPARE(fewer.exitCode, 1);
    QVERIFY(fewer.out.startsWith("0 celdas distintas en 0 niveles\n4: solo en "));
    QCOMPARE(fewer.out.count("solo en"), 96);
    const Run changed = runCli({QStringLiteral("comparar"), a, b});
    QCOMPARE(changed.exitCode, 1);
    QCOMPARE(changed.out, QByteArray("4:High Nob Base: 13 -> 99\n1 celdas distintas en 1 niveles\n"));
    QCOMPARE(runCli({QStringLiteral("comparar"), a, dir.filePath(QStringLiteral("no.txt"))}).exitCode, 2);
}

void TestCli::graficoDraws_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("file"); // empty: the default generated table
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("notShown");
    const QByteArray c = "//Archivo Creado Con Vandrel EXP Editor v1.0\r\n";
    const QString notNumbers = QStringLiteral("Celdas que no son números");
    const QString zeros = QStringLiteral("Celdas con valor 0");
    const QStringList axes = {QStringLiteral("Nivel"), QStringLiteral("Experiencia"), QStringLiteral("Nivel base"),
                              QStringLiteral("Nivel de job")};
    QTest::newRow("generated table, logarithmic")
        << QStringLiteral("Exp.txt") << QByteArray() << QStringList()
        << axes + QStringList{QStringLiteral("Exp.txt"),
                              QStringLiteral("Nob Base"),
                              QStringLiteral("High Nob Base"),
                              QStringLiteral("Job 2a"),
                              QStringLiteral("1e+06"),
                              QStringLiteral("La última fila, toda ceros, cierra la tabla y no se dibuja.")}
        << QStringList{notNumbers, zeros};
    QTest::newRow("generated table, linear")
        << QStringLiteral("Exp.txt") << QByteArray()
        << QStringList{QStringLiteral("--escala"), QStringLiteral("lineal")}
        << axes + QStringList{QStringLiteral("150000")} << QStringList{QStringLiteral("1e+06"), notNumbers, zeros};
    QTest::newRow("cells that are not numbers")
        << QStringLiteral("t.txt")
        << c
               + "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n1.00860076172675E+15,2,,4,5,6,7,8,9,10,11,12,13,14\r\n"
                 "1,2,3,4,5,6,7,8,9,10,11,12,13\r\n"
        << QStringList() << QStringList{notNumbers + QStringLiteral(", fuera de las curvas: 3.")} << QStringList{zeros};
    const QByteArray withZeros = c + "0,2,3,4,5,6,7,8,9,10,11,12,13,0\r\n2,3,4,5,6,7,8,9,10,11,12,13,14,15\r\n";
    QTest::newRow("zeros, logarithmic") << QStringLiteral("t.txt") << withZeros << QStringList()
                                        << QStringList{zeros + QStringLiteral(", fuera de la escala logarítmica: 2.")}
                                        << QStringList{notNumbers};
    QTest::newRow("zeros, linear") << QStringLiteral("t.txt") << withZeros
                                   << QStringList{QStringLiteral("--escala"), QStringLiteral("lineal")}
                                   << QStringList{QStringLiteral("Nivel")} << QStringList{zeros, notNumbers};
    QTest::newRow("a file name that is markup") << QStringLiteral("a&b <c>.txt") << QByteArray() << QStringList()
                                                << QStringList{QStringLiteral("a&b <c>.txt")} << QStringList();
}

void TestCli::graficoDraws()
{
    if (!chartsBuilt()) {
        const Run run =
            runCli({QStringLiteral("grafico"), QStringLiteral("-"), QStringLiteral("-o"), QStringLiteral("-")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains("sin Qt Charts"));
        QSKIP("Built without Qt Charts: grafico only says so.");
    }
    QFETCH(QString, name);
    QFETCH(QByteArray, file);
    QFETCH(QStringList, options);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, notShown);
    QTemporaryDir dir;
    const QString path = dir.filePath(name), svg = dir.filePath(QStringLiteral("curvas.svg"));
    if (file.isEmpty()) {
        QCOMPARE(runCli({QStringLiteral("generar"), QStringLiteral("-o"), path}).exitCode, 0);
    } else {
        QVERIFY(putFile(path, file));
    }
    const Run run = runCli(QStringList{QStringLiteral("grafico"), path, QStringLiteral("-o"), svg} + options);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());

    // A well-formed document; its texts, as a reader of it sees them.
    QXmlStreamReader xml(fileBytes(svg));
    QStringList texts;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::Characters && !xml.isWhitespace())
            texts << xml.text().toString().trimmed();
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    const QString all = texts.join(u'\n');
    for (const QString &text : shown)
        QVERIFY2(texts.contains(text) || all.contains(text), qPrintable(text));
    for (const QString &text : notShown)
        QVERIFY2(!all.contains(text), qPrintable(text));
}

void TestCli::graficoPngWithoutDisplay()
{
    if (!chartsBuilt())
        QSKIP("Built without Qt Charts.");
    QTemporaryDir dir;
    const QString table = dir.filePath(QStringLiteral("Exp.txt")), png = dir.filePath(QStringLiteral("curvas.png"));
    QCOMPARE(runCli({QStringLiteral("generar"), QStringLiteral("-o"), table}).exitCode, 0);
    QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        bare.remove(QString::fromLatin1(name));
    const Run run = runCli({QStringLiteral("grafico"), table, QStringLiteral("-o"), png}, bare);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    const QByteArray bytes = fileBytes(png);
    QVERIFY(bytes.startsWith("\x89PNG\r\n\x1a\n"));
    // The header chunk: 1200 pixels across, and tall enough for two panels.
    QCOMPARE(qFromBigEndian<quint32>(bytes.constData() + 16), 1200u);
    QVERIFY(qFromBigEndian<quint32>(bytes.constData() + 20) > 1000u);
}

void TestCli::graficoRefusals_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("message");
    QTest::newRow("scale") << QStringList{QStringLiteral("-o"), QStringLiteral("%1/x.svg"), QStringLiteral("--escala"),
                                          QStringLiteral("cubica")}
                           << QStringLiteral("--escala admite log o lineal.");
    QTest::newRow("kind of picture") << QStringList{QStringLiteral("-o"), QStringLiteral("%1/x.jpg")}
                                     << QStringLiteral("debe terminar en .svg o .png");
    QTest::newRow("no output") << QStringList() << QStringLiteral("grafico necesita un archivo y -o");
}

void TestCli::graficoRefusals()
{
    if (!chartsBuilt())
        QSKIP("Built without Qt Charts.");
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

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
