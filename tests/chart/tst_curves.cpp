// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "chart/core/curves.h"
#include "table/core/experience_table.h"
#include "test_files.h"

#include <QTest>

#include <algorithm>
#include <string>

namespace {

bool hasPoint(const QList<QPointF> &points, double level, double value)
{
    return std::find(points.begin(), points.end(), QPointF(level, value)) != points.end();
}

} // namespace

class TestCurves : public QObject
{
    Q_OBJECT

private slots:
    void thinningKeepsPeaksAndDips_data()
    {
        QTest::addColumn<int>("levels");
        QTest::addColumn<int>("buckets");
        QTest::addColumn<bool>("closingRow");
        QTest::addColumn<double>("spikeAt"); // as a share of the levels
        QTest::addColumn<double>("dipAt");
        QTest::newRow("fewer levels than buckets: every point") << 99 << 2048 << true << 1 / 3.0 << 0.5;
        // Long tables are drawn in two halves at once: peaks on either side
        // of the join, and none of its buckets lost or doubled.
        QTest::newRow("many levels") << 200000 << 2048 << false << 1 / 3.0 << 0.5;
        QTest::newRow("many levels, both in the second half") << 200000 << 2048 << true << 0.75 << 0.99;
        QTest::newRow("many levels, about the join") << 131072 << 2048 << false << 0.499 << 0.501;
        QTest::newRow("uneven buckets") << 10007 << 7 << true << 1 / 3.0 << 0.5;
    }

    void thinningKeepsPeaksAndDips()
    {
        QFETCH(int, levels);
        QFETCH(int, buckets);
        QFETCH(bool, closingRow);
        QFETCH(double, spikeAt);
        QFETCH(double, dipAt);
        const int spike = int(levels * spikeAt), dip = int(levels * dipAt);
        const Curves curves = curvesOf(risingTable(levels, spike, dip, closingRow), true, buckets);
        const int perBucket = (levels + buckets - 1) / buckets;
        const int bucketsUsed = (levels + perBucket - 1) / perBucket;
        QCOMPARE(curves.closingRowLeftOut, closingRow);
        QCOMPARE(curves.zeros, 0); // the closing row is no level
        QCOMPARE(curves.notNumbers, 0);
        QCOMPARE(curves.smallest, 1.0);
        QCOMPARE(curves.largest, 1e9);
        for (int c = kFirstValueColumn; c <= kLastValueColumn; ++c) {
            const QList<QPointF> &points = curves.points[size_t(c)];
            QVERIFY(points.size() <= 2 * buckets);
            // Every bucket of a rising curve has a lowest and a highest point.
            QCOMPARE(points.size(), levels <= buckets ? levels : 2 * bucketsUsed);
            QVERIFY(hasPoint(points, spike, 1e9));
            QVERIFY(hasPoint(points, dip, 1));
            QCOMPARE(points.first().x(), 1.0);
            QVERIFY(std::is_sorted(points.begin(), points.end(),
                                   [](const QPointF &a, const QPointF &b) { return a.x() < b.x(); }));
            QVERIFY(points.last().x() > levels - perBucket);
        }
    }

    // Each field read as the number it writes, or left out: first in its
    // row (read by words, with the row's other fields after it) and last
    // (read byte by byte), so that both readings agree.
    void valuesAsWritten_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<bool>("number");
        QTest::addColumn<double>("value");
        const auto number = [](const char *name, const char *field, double value) {
            QTest::newRow(name) << QByteArray(field) << true << value;
        };
        const auto notNumber = [](const char *name, const char *field) {
            QTest::newRow(name) << QByteArray(field) << false << 0.0;
        };
        number("one digit", "7", 7);
        number("zero", "0", 0);
        number("seven digits", "1234567", 1234567);
        number("eight digits, a whole word", "12345678", 12345678);
        number("nine digits, across two words", "123456789", 123456789);
        number("int32's largest", "2147483647", 2147483647.0);
        number("fifteen digits", "123456789012345", 123456789012345.0);
        number("sixteen digits", "1234567890123456", 1234567890123456.0);
        number("leading zeros", "000000000000042", 42);
        number("twenty digits", "99999999999999999999", 1e20);
        notNumber("empty", "");
        notNumber("a letter inside", "12x4");
        notNumber("a letter at the eighth byte", "1234567x9");
        notNumber("a letter at the ninth byte", "12345678x");
        notNumber("a letter at the sixteenth byte", "123456789012345x");
        notNumber("a sign", "-5");
        notNumber("a plus sign", "+5");
        notNumber("a space before", " 5");
        notNumber("a space after", "5 ");
        notNumber("a decimal point", "1.5");
        notNumber("the byte before '0'", "1/");
        notNumber("the byte after '9'", "1:");
        notNumber("a byte whose low seven bits are a digit", "1\xB9");
    }

    void valuesAsWritten()
    {
        QFETCH(QByteArray, field);
        QFETCH(bool, number);
        QFETCH(double, value);
        // The field first, in the middle, last (the row ends with it) and
        // fourteenth of fifteen (a comma after it); the other fields short
        // or long, so the field sits at every distance from a word's start.
        const std::string cell = field.toStdString();
        struct Place
        {
            const char *name;
            int column;
            std::string row;
        };
        const std::string shortOnes = "1,2,3,4,5,6,7,8,9,10,11,12,13";
        const std::string longOnes = "1234567890,22,333,4444,55555,666666";
        const Place places[] = {
            {"first", kFirstValueColumn, cell + "," + shortOnes},
            {"middle", kFirstValueColumn + 6, longOnes + "," + cell + ",8,9,10,11,12,13,14"},
            {"last", kLastValueColumn, shortOnes + "," + cell},
            {"last after long fields", kLastValueColumn, longOnes + ",7,8,9,10,11,12,13," + cell},
            {"fourteenth of fifteen", kLastValueColumn, shortOnes + "," + cell + ",15"},
        };
        for (const Place &place : places) {
            ExperienceTable table;
            table.setRowCount(1);
            table.appendRow(2, place.row);
            const Curves curves = curvesOf(table, false);
            const QList<QPointF> &points = curves.points[size_t(place.column)];
            QVERIFY2(curves.notNumbers == (number ? 0 : 1), place.name);
            QVERIFY2(points.size() == (number ? 1 : 0), place.name);
            if (number)
                QVERIFY2(points.first() == QPointF(1, value), place.name);
        }
    }

    void cellsLeftOut()
    {
        ExperienceTable table;
        table.setRowCount(1);
        table.appendRow(2, "1,2,x,4,5,0,7,8,9,10,11,12,13,1.5E+15");
        table.appendRow(3, "1,2"); // twelve blank cells
        const Curves logarithmic = curvesOf(table, true);
        QCOMPARE(logarithmic.notNumbers, 2 + 12);
        QCOMPARE(logarithmic.zeros, 1);
        QVERIFY(logarithmic.points[6].isEmpty());
        const Curves linear = curvesOf(table, false);
        QCOMPARE(linear.zeros, 0);
        QCOMPARE(linear.points[6].size(), 1);
        QCOMPARE(linear.smallest, 0.0);
    }
};

QTEST_GUILESS_MAIN(TestCurves)
#include "tst_curves.moc"
