// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// comparar's report: one line a differing cell with its lines in both files
// and its label in the grid, the levels only one table has, the summary last.
#include "cli/comparison_report.h"

#include "table/core/experience_table.h"
#include "table/core/table_comparison.h"
#include "test_files.h"

#include <QTest>

class TestComparisonReport : public QObject
{
    Q_OBJECT

private slots:
    void reports_data();
    void reports();
};

using namespace Qt::StringLiterals;

void TestComparisonReport::reports_data()
{
    QTest::addColumn<QByteArray>("a");
    QTest::addColumn<QByteArray>("b");
    QTest::addColumn<QString>("report");
    const QByteArray c = savedComment(), one = "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n",
                     two = "2,3,4,5,6,7,8,9,10,11,12,13,14,15\r\n";
    QTest::newRow("equal") << c + one << c + one << u"0 celdas distintas en 0 niveles\n"_s;
    QTest::newRow("one cell") << c + one + two << c + one + "2,3,4,5,6,7,8,9,10,11,12,13,14,99\r\n"
                              << u"2:Job 2a: 15 -> 99 (A: línea 3; B: línea 3; cuadrícula: 3)\n"
                                 "1 celda distinta en 1 nivel\n"_s;
    QTest::newRow("two cells, lines apart, a long value cut")
        << c + one + two << c + "sin comas\r\n" + one + "2,3,4,5,6,7,8,9,10,11,12,13," + QByteArray(60, '9') + ",0\r\n"
        << u"2:Job 1a: 14 -> "_s + QString(40, u'9')
               + u"… (60 caracteres) (A: línea 3; B: línea 4; cuadrícula: 3)\n"
                 "2:Job 2a: 15 -> 0 (A: línea 3; B: línea 4; cuadrícula: 3)\n"
                 "2 celdas distintas en 1 nivel\n"_s;
    // The levels only one table has, then the summary, last, counting them.
    QTest::newRow("levels only in B") << c + one << c + one + two + two
                                      << u"2: solo en b.txt (línea 3; cuadrícula: 3)\n"
                                         "3: solo en b.txt (línea 4; cuadrícula: 4)\n"
                                         "0 celdas distintas en 0 niveles; 2 niveles solo en b.txt\n"_s;
    QTest::newRow("one level only in A") << c + one + two << c + one
                                         << u"2: solo en a.txt (línea 3; cuadrícula: 3)\n"
                                            "0 celdas distintas en 0 niveles; 1 nivel solo en a.txt\n"_s;
}

void TestComparisonReport::reports()
{
    QFETCH(QByteArray, a);
    QFETCH(QByteArray, b);
    QFETCH(QString, report);
    const ExperienceTable tableA = tableFromBytes(a), tableB = tableFromBytes(b);
    QCOMPARE(comparisonText(compareTables(tableA, tableB), tableA, tableB, u"a.txt"_s, u"b.txt"_s), report);
}

QTEST_APPLESS_MAIN(TestComparisonReport)
#include "tst_comparison_report.moc"
