// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// Two tables compared level by level: which levels differ, how many cells,
// each level's line in both files, and the levels only one table has.
#include "table/core/table_comparison.h"

#include "table/core/experience_table.h"
#include "test_files.h"

#include <QTest>

class TestTableComparison : public QObject
{
    Q_OBJECT

private slots:
    void compares_data();
    void compares();
};

void TestTableComparison::compares_data()
{
    QTest::addColumn<QByteArray>("a");
    QTest::addColumn<QByteArray>("b");
    QTest::addColumn<QString>("found"); // "cells | row:lineA:lineB ... | only in A|B: row:line ..."
    const QByteArray c = savedComment(), one = "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n",
                     two = "2,3,4,5,6,7,8,9,10,11,12,13,14,15\r\n";
    QTest::newRow("equal") << c + one + two << c + one + two << QStringLiteral("0 |  | ");
    QTest::newRow("two cells of one level") << c + one + two << c + one + "2,3,4,5,6,7,8,9,10,11,12,13,98,99\r\n"
                                            << QStringLiteral("2 | 2:3:3 | ");
    // Lines the reader passes over move a level's line in one file only.
    QTest::newRow("lines apart") << c + one + two
                                 << c + "sin comas\r\n\r\r" + one + "2,3,4,5,6,7,8,9,10,11,12,13,14,0\n"
                                 << QStringLiteral("1 | 2:3:6 | ");
    QTest::newRow("the same cells, other bytes") << c + "1,2\r\n" << c + "1,2,\r\n" << QStringLiteral("0 |  | ");
    QTest::newRow("levels only in B") << c + one << c + one + two + two << QStringLiteral("0 |  | B: 2:3 3:4");
    QTest::newRow("levels only in A, and a cell") << c + one + two << c + "1,2,3,4,5,6,7,8,9,10,11,12,13,0\r\n"
                                                  << QStringLiteral("1 | 1:2:2 | A: 2:3");
}

void TestTableComparison::compares()
{
    QFETCH(QByteArray, a);
    QFETCH(QByteArray, b);
    QFETCH(QString, found);
    const ExperienceTable tableA = tableFromBytes(a), tableB = tableFromBytes(b);
    const TableComparison comparison = compareTables(tableA, tableB);
    QStringList levels, only;
    for (const TableComparison::Level &level : comparison.differing)
        levels << QStringLiteral("%1:%2:%3").arg(level.row).arg(level.lineA).arg(level.lineB);
    for (size_t i = 0; i < comparison.onlyRows.size(); ++i)
        only << QStringLiteral("%1:%2").arg(comparison.onlyRows[i]).arg(comparison.onlyLines[i]);
    const QString onlyText =
        only.isEmpty() ? QString() : QString::fromLatin1(comparison.onlyInA ? "A: " : "B: ") + only.join(u' ');
    QCOMPARE(QStringLiteral("%1 | %2 | %3").arg(comparison.cells).arg(levels.join(u' '), onlyText), found);
    QCOMPARE(comparison.equal(), found == QStringLiteral("0 |  | "));
}

QTEST_APPLESS_MAIN(TestTableComparison)
#include "tst_table_comparison.moc"
