// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "generation/core/generador.h"
#include "generation/core/parametros.h"
#include "parameter_values.h"
#include "table/core/experience_table.h"
#include "table/core/table_file.h"

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

#include <cstdio>

namespace {

Parametros defaults()
{
    Parametros p;
    ValoresPorDefecto(p);
    return p;
}

ExperienceTable generated(int16_t n, const Parametros &p = defaults())
{
    ExperienceTable table;
    QString error;
    if (!GenerarTabla(n, p, table, &error))
        qFatal("generation failed: %s", qPrintable(error));
    return table;
}

// The row as "label: v1 v2 ... v14".
QString rowText(const ExperienceTable &table, int32_t row)
{
    QStringList cells;
    for (int c = 1; c <= 14; ++c)
        cells << QString::fromLatin1(table.text(row, c));
    return QString::fromLatin1(table.text(row, 0)) + QStringLiteral(": ") + cells.join(QLatin1Char(' '));
}

QString printfG15(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    return QString::fromLatin1(buffer);
}

} // namespace

class TestGenerador : public QObject
{
    Q_OBJECT

private slots:
    void defaultsAndLevelCount();
    void porcentaje_data();
    void porcentaje();
    void smallLevelCounts_data();
    void smallLevelCounts();
    void risingPercentage();
    void replacesALargerTableAndFillsAHeaderOnlyOne();
    void valueTextIsPrintfG15();
    void overflowStopsAndKeepsTheTable_data();
    void overflowStopsAndKeepsTheTable();
    void wholeTableAsTheGoldenFile_data();
    void wholeTableAsTheGoldenFile();
    void parameterValue_data() { addParameterValueRows(); }
    void parameterValue();
};

void TestGenerador::defaultsAndLevelCount()
{
    Parametros p;
    ValoresPorDefecto(p);
    const int16_t niveles[15] = {0, 99, 10, 99, 50, 99, 50, 99, 70, 99, 10, 99, 50, 99, 70};
    for (int i = 1; i <= 14; ++i)
        QCOMPARE(p.NivelesMax[size_t(i)], niveles[i]);
    QCOMPARE((std::array<int16_t, 6>{p.MultExp, p.NextBase, p.MultJob, p.NextJob, p.IncNextBase, p.IncNextJob}),
             (std::array<int16_t, 6>{10, 10, 8, 15, 2, 2}));
    QCOMPARE(NivelMaximo(p), int16_t(99));

    p.NivelesMax[2] = 120; // one box raises the count of every column
    QCOMPARE(NivelMaximo(p), int16_t(120));
    p.NivelesMax.fill(0);
    QCOMPARE(NivelMaximo(p), int16_t(0));
    p.NivelesMax.fill(-5);
    p.NivelesMax[14] = -32768;
    QCOMPARE(NivelMaximo(p), int16_t(0));

    // Every field is reachable by its box name, in the dialog's order.
    QCOMPARE(parameterFieldIndex("NobBase"), 0);
    QCOMPARE(parameterFieldIndex("IncNextJob"), 19);
    QCOMPARE(parameterFieldIndex("Nada"), -1);
    Parametros q;
    for (size_t i = 0; i < parameterFields().size(); ++i)
        parameterFields()[i].field(q) = int16_t(i + 1);
    QCOMPARE(q.NivelesMax[5], int16_t(5));
    QCOMPARE(q.MultJob, int16_t(16));
    QCOMPARE(q.NextBase, int16_t(17));
}

void TestGenerador::porcentaje_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("percentage");
    QTest::addColumn<double>("expected");
    QTest::newRow("5 at 10% rounds to 0") << 5.0 << 10 << 0.0;
    QTest::newRow("15 at 10%: tie to 2") << 15.0 << 10 << 2.0;
    QTest::newRow("25 at 10%: tie to 2") << 25.0 << 10 << 2.0;
    QTest::newRow("27 at 10%") << 27.0 << 10 << 3.0;
    QTest::newRow("150 at 7%: the double product") << 150.0 << 7 << 11.0;
    QTest::newRow("negative percentage") << 35.0 << -10 << -4.0;
    QTest::newRow("zero") << 1234.0 << 0 << 0.0;
}

void TestGenerador::porcentaje()
{
    QFETCH(double, value);
    QFETCH(int, percentage);
    QFETCH(double, expected);
    QCOMPARE(Porcentaje(value, int16_t(percentage)), expected);
}

void TestGenerador::smallLevelCounts_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("N = 3") << 3
                           << QStringList{QStringLiteral("1: 3 3 3 3 3 3 3 3 3 8 13 4 23 53"),
                                          QStringLiteral("2: 3 3 3 3 3 3 3 3 3 9 14 4 25 57"),
                                          QStringLiteral("3: 0 0 0 0 0 0 0 0 0 0 0 0 0 0")};
    QTest::newRow("N = 2") << 2
                           << QStringList{QStringLiteral("1: 2 2 2 2 2 2 2 2 2 7 12 3 22 52"),
                                          QStringLiteral("2: 0 0 0 0 0 0 0 0 0 0 0 0 0 0")};
    QTest::newRow("N = 1") << 1
                           << QStringList{QStringLiteral("1: 1 1 1 1 1 1 1 1 1 6 11 2 21 51"),
                                          QStringLiteral("2: 0 0 0 0 0 0 0 0 0 0 0 0 0 0")};
    QTest::newRow("N = 0") << 0
                           << QStringList{QStringLiteral("1: 0 0 0 0 0 0 0 0 0 5 10 1 20 50"),
                                          QStringLiteral("2: 0 0 0 0 0 0 0 0 0 0 0 0 0 0")};
}

void TestGenerador::smallLevelCounts()
{
    QFETCH(int, n);
    QFETCH(QStringList, rows);
    const ExperienceTable t = generated(int16_t(n));
    QCOMPARE(t.rowCount(), rows.size() + 1);
    for (int r = 1; r < t.rowCount(); ++r)
        QCOMPARE(rowText(t, r), rows[r - 1]);
}

void TestGenerador::risingPercentage()
{
    Parametros p = defaults();
    p.MultExp = 20;
    const ExperienceTable t = generated(8, p);
    QStringList column1;
    for (int r = 1; r <= 8; ++r)
        column1 << QString::fromLatin1(t.text(r, 1));
    QCOMPARE(column1.join(QLatin1Char(' ')), QStringLiteral("8 10 12 15 19 24 30 0"));

    // N = 10: shares round to 0, columns 1 to 9 stay at their level-1 values.
    const ExperienceTable ten = generated(10);
    QCOMPARE(ten.rowCount(), 11);
    QCOMPARE(rowText(ten, 1), QStringLiteral("1: 1 1 1 1 2 2 2 2 2 7 12 3 22 52"));
    for (int c = 1; c <= 9; ++c)
        QCOMPARE(ten.text(9, c), ten.text(1, c));
    QCOMPARE(rowText(ten, 10), QStringLiteral("10: 0 0 0 0 0 0 0 0 0 0 0 0 0 0"));
}

void TestGenerador::replacesALargerTableAndFillsAHeaderOnlyOne()
{
    ExperienceTable table;
    table.setRowCount(1);
    for (int r = 1; r <= 200; ++r)
        table.appendRow(r + 1, "old,old");
    QString error;
    QVERIFY(GenerarTabla(99, defaults(), table, &error));
    QCOMPARE(table.rowCount(), 100);
    for (int r = 1; r < 100; ++r)
        QVERIFY(table.value(r, 1) != "old");

    ExperienceTable headerOnly;
    headerOnly.setRowCount(1);
    QVERIFY(GenerarTabla(99, defaults(), headerOnly, &error));
    QCOMPARE(rowText(headerOnly, 98), rowText(table, 98));
}

void TestGenerador::valueTextIsPrintfG15()
{
    QList<double> values = {0,
                            1,
                            9,
                            999999999999999,
                            1e15,
                            1e15 + 2,
                            1008600761726750,
                            9999999999999999.0,
                            99999999999999990000.0,
                            1.7976931348623157e308,
                            -1,
                            -1e15,
                            -123456789012345678.0};
    for (double p = 1; p < 1e300; p *= 7.3)
        values << std::nearbyint(p) << std::nearbyint(p) + 1 << -std::nearbyint(p);
    QRandomGenerator random(20261208);
    for (int i = 0; i < 20000; ++i)
        values << std::nearbyint(std::ldexp(random.generateDouble(), int(random.bounded(1, 120))));
    for (double v : values) {
        std::string text;
        appendValueText(text, v);
        QCOMPARE(QString::fromStdString(text), printfG15(v));
    }
    std::string text;
    appendValueText(text, 1008600761726750.0);
    QCOMPARE(text, std::string("1.00860076172675E+15"));
}

void TestGenerador::overflowStopsAndKeepsTheTable_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("multExp");
    QTest::addColumn<int>("nextBase");
    QTest::addColumn<int>("incNextBase");
    QTest::addColumn<QString>("message");
    QTest::newRow("percentage passes 32767")
        << 50 << 32767 << 0 << 1 << QStringLiteral("en el nivel 2 el porcentaje de Base");
    QTest::newRow("threshold passes 32767")
        << 50 << 30000 << 20000 << 1 << QStringLiteral("en el nivel 2 el intervalo de Base");
    QTest::newRow("percentage below -32768")
        << 50 << -100 << -32768 << -32768 << QStringLiteral("en el nivel 2 el porcentaje de Base");
    QTest::newRow("values leave the double range")
        << 9999 << 10 << 10 << 2 << QStringLiteral("los valores de experiencia");
}

void TestGenerador::overflowStopsAndKeepsTheTable()
{
    QFETCH(int, n);
    QFETCH(int, multExp);
    QFETCH(int, nextBase);
    QFETCH(int, incNextBase);
    QFETCH(QString, message);
    Parametros p = defaults();
    p.MultExp = int16_t(multExp);
    p.NextBase = int16_t(nextBase);
    p.IncNextBase = int16_t(incNextBase);

    ExperienceTable table = generated(10);
    QString error;
    QVERIFY(!GenerarTabla(int16_t(n), p, table, &error));
    QVERIFY2(error.contains(message), qPrintable(error));
    QCOMPARE(table.rowCount(), 11);
    QCOMPARE(rowText(table, 1), QStringLiteral("1: 1 1 1 1 2 2 2 2 2 7 12 3 22 52"));
}

void TestGenerador::wholeTableAsTheGoldenFile_data()
{
    QTest::addColumn<QString>("golden");
    QTest::addColumn<Parametros>("parametros");
    // Every value of the default table: its first rows, the ties of column 1
    // at levels 11 to 14 (2.5 rounds to 2, 2.7 to 3), level 98 and the
    // closing row of zeros at 99.
    QTest::newRow("defaults, 99 levels") << QStringLiteral("golden/defecto_99.txt") << defaults();
    // Multipliers of 1 and no rise keep 9,999 levels within the double range.
    Parametros wide = defaults();
    wide.NivelesMax[1] = 9999;
    wide.MultExp = wide.MultJob = 1;
    wide.IncNextBase = wide.IncNextJob = 0;
    QTest::newRow("9,999 levels") << QStringLiteral("golden/nivel_9999.txt") << wide;
}

void TestGenerador::wholeTableAsTheGoldenFile()
{
    QFETCH(QString, golden);
    QFETCH(Parametros, parametros);
    const QString path = QFINDTESTDATA(golden);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(golden));
    const QList<QByteArray> expected = file.readAll().split('\n');

    const ExperienceTable table = generated(NivelMaximo(parametros), parametros);
    QCOMPARE(table.rowCount(), NivelMaximo(parametros) + 1); // the levels and the header row
    QBuffer saved;
    saved.open(QIODevice::WriteOnly);
    QString error;
    QVERIFY(GuardarTabla(saved, table, &error));
    const QList<QByteArray> lines = saved.data().split('\n');
    QCOMPARE(lines.size(), expected.size());
    for (qsizetype i = 0; i < lines.size(); ++i) // line by line, so a failure names the level
        QCOMPARE(lines[i], expected[i]);
}

void TestGenerador::parameterValue()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(int, value);
    const std::optional<int16_t> parsed = parseParameterValue(text);
    QCOMPARE(parsed.has_value(), accepted);
    if (accepted)
        QCOMPARE(int(*parsed), value);
}

QTEST_GUILESS_MAIN(TestGenerador)
#include "tst_generador.moc"
