// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "table/core/experience_table.h"

#include <QTest>

class TestExperienceTable : public QObject
{
    Q_OBJECT

private slots:
    void headerPiecesKeepTheirSpaces();
    void startsAsTheEmptyTable();
    void rowCountShrinksAndGrows();
    void setValueKeepsTheOtherFields();
    void cellsHoldAnyBytes();
    void clearingKeepsOnlyABlankFirstRow();
    void manyEditsSurviveCompaction();
    void bigBuffersKeepTheirBytes();
};

void TestExperienceTable::headerPiecesKeepTheirSpaces()
{
    QCOMPARE(qstrlen(kFormatoCuadricula), 258u);
    const auto &pieces = headerTexts();
    QCOMPARE(pieces.size(), size_t(15));
    // Leading and trailing spaces per column, as they widen the columns.
    const int leading[15] = {0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    const int trailing[15] = {0, 7, 12, 12, 1, 1, 12, 12, 4, 12, 12, 1, 1, 12, 12};
    const char *trimmed[15] = {"Sig Nivel",     "Nob Base",    "Base 1",       "Base 2",  "Sup Nob Base",
                               "High Nob Base", "Base 1a",     "Base 2a",      "Nob Job", "Job 1",
                               "Job 2",         "Sup Nob Job", "High Nob Job", "Job 1a",  "Job 2a"};
    for (int c = 0; c < 15; ++c) {
        const QString &piece = pieces[size_t(c)];
        QCOMPARE(piece.trimmed(), QLatin1String(trimmed[c]));
        QCOMPARE(piece.indexOf(piece.trimmed()), leading[c]);
        QCOMPARE(piece.size() - leading[c] - piece.trimmed().size(), trailing[c]);
    }
}

void TestExperienceTable::startsAsTheEmptyTable()
{
    ExperienceTable table;
    QCOMPARE(table.rowCount(), 2);
    for (int c = 1; c <= 14; ++c)
        QVERIFY(table.text(1, c).isEmpty());
    QVERIFY(table.text(1, 0).isEmpty());
    QCOMPARE(table.text(0, 5), QByteArray(" High Nob Base "));
}

void TestExperienceTable::rowCountShrinksAndGrows()
{
    ExperienceTable table;
    table.setRowCount(1);
    table.appendRow(2, "a,b");
    table.appendRow(3, "c,d");
    table.appendRow(4, "e,f");
    QCOMPARE(table.rowCount(), 4);

    table.setRowCount(3); // drops the last row with its texts
    QCOMPARE(table.rowCount(), 3);
    table.setRowCount(5); // appends blank rows
    QCOMPARE(table.rowCount(), 5);
    QCOMPARE(table.text(2, 2), QByteArray("d"));
    QVERIFY(table.text(3, 1).isEmpty());
    QVERIFY(table.text(4, 0).isEmpty());
    QCOMPARE(table.text(0, 0), QByteArray("Sig Nivel"));
}

void TestExperienceTable::setValueKeepsTheOtherFields()
{
    ExperienceTable table;
    table.setValue(1, 14, "99");
    QCOMPARE(table.value(1, 14), std::string_view("99"));
    QCOMPARE(table.packedRow(1), std::string_view(",,,,,,,,,,,,,99"));
    table.setValue(1, 1, "7");
    table.setValue(1, 14, "");
    QCOMPARE(table.packedRow(1), std::string_view("7"));
    table.setValue(1, 3, "123");
    for (int c = 1; c <= 14; ++c)
        QCOMPARE(table.value(1, c), std::string_view(c == 1 ? "7" : c == 3 ? "123" : ""));
}

void TestExperienceTable::cellsHoldAnyBytes()
{
    ExperienceTable table;
    const std::string bytes("\x00\x80\xff \xe9t\x7f", 7);
    table.setValue(1, 5, bytes);
    QCOMPARE(std::string(table.value(1, 5)), bytes);
    QCOMPARE(table.text(1, 5), QByteArray(bytes.data(), 7));
}

void TestExperienceTable::clearingKeepsOnlyABlankFirstRow()
{
    ExperienceTable table;
    table.setRowCount(1);
    for (int r = 1; r <= 200; ++r)
        table.appendRow(r + 1, "1,2,3,4,5,6,7,8,9,10,11,12,13,14");
    table.clearToEmptyTable();
    QCOMPARE(table.rowCount(), 2);
    for (int c = 1; c <= 14; ++c)
        QVERIFY(table.value(1, c).empty());
    QCOMPARE(table.label(1), 2); // the first row's label is not part of the reset

    table.setRowCount(1); // no table rows, as after an empty file
    table.clearToEmptyTable();
    QCOMPARE(table.rowCount(), 2);
    QCOMPARE(table.label(1), ExperienceTable::kNoLabel);
}

void TestExperienceTable::manyEditsSurviveCompaction()
{
    ExperienceTable table;
    table.setRowCount(1);
    for (int r = 1; r <= 50; ++r)
        table.appendRow(r, "1,2,3");
    std::string text;
    for (int i = 0; i < 60000; ++i) {
        text = std::to_string(i);
        table.setValue(1 + i % 50, 1 + i % 14, text);
    }
    // The last edit of each cell wins; cells never edited keep their text.
    for (int i = 60000 - 350; i < 60000; ++i) // 350 distinct cells in a cycle
        QCOMPARE(std::string(table.value(1 + i % 50, 1 + i % 14)), std::to_string(i));
    QVERIFY(table.memoryBytes() < (8u << 20));
}

void TestExperienceTable::bigBuffersKeepTheirBytes()
{
    // Growing past the size where huge pages take over keeps every byte.
    ByteBuffer buffer;
    std::string piece;
    for (int i = 0; i < 400000; ++i) {
        piece = std::to_string(i) + ';';
        buffer.append(piece.data(), piece.size());
    }
    QVERIFY(buffer.size() > (2u << 20));
    ByteBuffer moved = std::move(buffer);
    QCOMPARE(buffer.size(), size_t(0));
    size_t at = 0;
    for (int i = 0; i < 400000; ++i) {
        piece = std::to_string(i) + ';';
        QCOMPARE(std::string_view(moved.data() + at, piece.size()), std::string_view(piece));
        at += piece.size();
    }
    QCOMPARE(at, moved.size());
    moved.resize(10);
    QCOMPARE(std::string_view(moved.data(), 10), std::string_view("0;1;2;3;4;"));
}

QTEST_GUILESS_MAIN(TestExperienceTable)
#include "tst_experience_table.moc"
