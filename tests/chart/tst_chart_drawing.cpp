// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// The picture of a table's curves, read back from its SVG: the axes and
// columns named, numbers written as Spanish writes them, what is left out
// of the curves said, any file name drawn as text.
#include "chart/chart_drawing.h"

#include "chart/chart_application.h"
#include "chart/core/curves.h"
#include "chart/svg_writer.h"
#include "generation/core/generador.h"
#include "generation/core/parametros.h"
#include "table/core/experience_table.h"
#include "test_files.h"

#include <QTest>
#include <QXmlStreamReader>

class TestChartDrawing : public QObject
{
    Q_OBJECT

private slots:
    void drawsTheTexts_data();
    void drawsTheTexts();
};

void TestChartDrawing::drawsTheTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("file"); // empty: the editor's generated table
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("notShown");
    const QByteArray c = savedComment();
    const QString notNumbers = QStringLiteral("Celdas que no son números");
    const QString zeros = QStringLiteral("Celdas con valor 0");
    const QStringList axes = {QStringLiteral("Nivel"), QStringLiteral("Experiencia"), QStringLiteral("Nivel base"),
                              QStringLiteral("Nivel de job")};
    // Decades labelled as Spanish writes numbers: four digits together, then points.
    QTest::newRow("generated table, logarithmic")
        << QStringLiteral("Exp.txt") << QByteArray() << QStringList()
        << axes + QStringList{QStringLiteral("Exp.txt"),
                              QStringLiteral("Nob Base"),
                              QStringLiteral("High Nob Base"),
                              QStringLiteral("Job 2a"),
                              QStringLiteral("1000"),
                              QStringLiteral("10.000"),
                              QStringLiteral("1.000.000"),
                              QStringLiteral("La última fila, toda ceros, cierra la tabla y no se dibuja.")}
        << QStringList{notNumbers, zeros, QStringLiteral("e+"), QStringLiteral("1.000\n")};
    QTest::newRow("generated table, linear")
        << QStringLiteral("Exp.txt") << QByteArray()
        << QStringList{QStringLiteral("--escala"), QStringLiteral("lineal")}
        << axes + QStringList{QStringLiteral("100.000"), QStringLiteral("20.000")}
        << QStringList{QStringLiteral("1.000.000"), QStringLiteral("e+"), notNumbers, zeros};
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
    // Past what a double holds, the curve keeps to the top of the picture.
    QTest::newRow("a number of 400 digits")
        << QStringLiteral("t.txt") << c + "1,2,3,4,5,6,7,8,9,10,11,12,13," + QByteArray(400, '9') + "\r\n"
        << QStringList{QStringLiteral("--escala"), QStringLiteral("lineal")}
        << QStringList{QStringLiteral("Nivel"), QStringLiteral("Job 2a")} << QStringList{notNumbers};
    QTest::newRow("a number of 400 digits, logarithmic")
        << QStringLiteral("t.txt") << c + "1,2,3,4,5,6,7,8,9,10,11,12,13," + QByteArray(400, '9') + "\r\n"
        << QStringList() << QStringList{QStringLiteral("1e300")} << QStringList{notNumbers};
    QTest::newRow("a file name that is markup") << QStringLiteral("a&b <c>.txt") << QByteArray() << QStringList()
                                                << QStringList{QStringLiteral("a&b <c>.txt")} << QStringList();
}

void TestChartDrawing::drawsTheTexts()
{
    if (!svgAvailable())
        QSKIP("Built without Qt Svg: the texts are read from an SVG picture.");
    QFETCH(QString, name);
    QFETCH(QByteArray, file);
    QFETCH(QStringList, options);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, notShown);
    ExperienceTable table;
    if (file.isEmpty()) {
        Parametros parametros;
        ValoresPorDefecto(parametros);
        QString error;
        QVERIFY2(GenerarTabla(NivelMaximo(parametros), parametros, table, &error), qPrintable(error));
    } else {
        table = tableFromBytes(file);
    }
    ChartRequest request;
    request.title = name;
    request.logarithmic = !options.contains(QStringLiteral("lineal"));
    const QByteArray svg = drawChart(curvesOf(table, request.logarithmic, kChartBuckets), request);

    // A well-formed document; its texts, as a reader of it sees them.
    QXmlStreamReader xml(svg);
    QStringList texts;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::Characters && !xml.isWhitespace())
            texts << xml.text().toString().trimmed();
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    const QString all = texts.join(u'\n') + u'\n';
    for (const QString &text : shown)
        QVERIFY2(texts.contains(text) || all.contains(text), qPrintable(text));
    for (const QString &text : notShown)
        QVERIFY2(!all.contains(text), qPrintable(text));
}

int main(int argc, char **argv)
{
    const std::unique_ptr<QCoreApplication> app = makeDrawingApplication(argc, argv);
    TestChartDrawing test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_chart_drawing.moc"
