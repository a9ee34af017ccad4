// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// The table as the YAML job database holds it: which jobs each column
// covers (the built-in lists, or the groups of a server's own file), what
// the server ends with after the chain, and the way back to a table.
#include "server/core/job_database.h"

#include "job_files.h"
#include "test_files.h"

#include <QTest>

class TestJobDatabase : public QObject
{
    Q_OBJECT

private slots:
    void builtInEntries_data();
    void builtInEntries();
    void baseGroupsAreNotSplit();
    void baseRefusals_data();
    void baseRefusals();
    void checkNamesWhatWins();
    void importFromTheChain();
    void importRefusesAMissingJob();
    void roundTrip_data();
    void roundTrip();
    void wholeFileSaysWhereItGoes();
};

namespace {

// The servers' pre-renewal groups, as their file lists them: what the
// built-in lists must match.
const QStringList kB1 =
    QStringLiteral("Novice Swordman Mage Archer Acolyte Merchant Thief Knight Priest Wizard Blacksmith Hunter "
                   "Assassin Knight2 Crusader Monk Sage Rogue Alchemist Bard Dancer Crusader2 Supernovice "
                   "Gunslinger Ninja Baby Baby_Swordman Baby_Mage Baby_Archer Baby_Acolyte Baby_Merchant "
                   "Baby_Thief Baby_Knight Baby_Priest Baby_Wizard Baby_Blacksmith Baby_Hunter Baby_Assassin "
                   "Baby_Knight2 Baby_Crusader Baby_Monk Baby_Sage Baby_Rogue Baby_Alchemist Baby_Bard "
                   "Baby_Dancer Baby_Crusader2 Super_Baby Taekwon Star_Gladiator Star_Gladiator2 Soul_Linker")
        .split(u' ');
const QStringList kB2 = QStringLiteral("Novice_High Swordman_High Mage_High Archer_High Acolyte_High Merchant_High "
                                       "Thief_High Lord_Knight High_Priest High_Wizard Whitesmith Sniper "
                                       "Assassin_Cross Lord_Knight2 Paladin Champion Professor Stalker Creator Clown "
                                       "Gypsy Paladin2")
                            .split(u' ');

// A table of `levels` levels then a row of 0, column c rising by `step[c]`.
ExperienceTable tableOfSteps(const std::array<int, 15> &step, int levels = 5)
{
    std::vector<std::string> rows;
    for (int level = 1; level <= levels + 1; ++level) {
        std::string row;
        for (int column = 1; column <= 14; ++column)
            row += (column > 1 ? "," : "") + std::to_string(level <= levels ? level * step[size_t(column)] : 0);
        rows.push_back(row);
    }
    ExperienceTable table;
    table.setRowCount(1);
    for (size_t i = 0; i < rows.size(); ++i)
        table.appendRow(int32_t(i + 1), rows[i]);
    return table;
}

constexpr std::array<int, 15> kShippedLike = {0, 10, 10, 10, 10, 20, 20, 20, 1, 2, 3, 4, 5, 6, 7};

ExportedBlock exported(const ExperienceTable &table, const JobChain *base = nullptr)
{
    ExportedBlock block;
    QString error;
    if (!exportJobDatabase(table, QStringLiteral("Exp.txt"), base, &block, &error))
        qFatal("%s", qPrintable(error));
    return block;
}

// A server's own file shaped as the renewal one: base groups holding jobs
// no column names, job groups with renewal-only jobs, a group of no column.
QByteArray renewalLike()
{
    return jobHeader(4) + jobEntry(QStringLiteral("Novice Swordman Knight Super_Novice Gangsi Baby_Ninja"), true, 99)
           + jobEntry(QStringLiteral("Novice_High Swordman_High Lord_Knight"), true, 99)
           + jobEntry(QStringLiteral("Rune_Knight"), true, 200) + jobEntry(QStringLiteral("Novice Baby"), false, 10)
           + jobEntry(QStringLiteral("Swordman Gangsi Baby_Taekwon"), false, 50)
           + jobEntry(QStringLiteral("Knight Death_Knight Dark_Collector"), false, 50)
           + jobEntry(QStringLiteral("Super_Novice Super_Baby"), false, 99)
           + jobEntry(QStringLiteral("Novice_High"), false, 10) + jobEntry(QStringLiteral("Swordman_High"), false, 50)
           + jobEntry(QStringLiteral("Lord_Knight"), false, 70) + jobEntry(QStringLiteral("Rune_Knight"), false, 70);
}

} // namespace

void TestJobDatabase::builtInEntries_data()
{
    QTest::addColumn<QList<int>>("steps"); // columns 1 to 14
    QTest::addColumn<QString>("entries");  // the columns of each entry: "1 2 3 4|5 6 7|8"
    QTest::newRow("as the servers group them") << QList<int>{10, 10, 10, 10, 20, 20, 20, 1, 2, 3, 4, 5, 6, 7}
                                               << QStringLiteral("1 2 3 4|5 6 7|8|9|10|11|12|13|14");
    QTest::newRow("Novice base apart") << QList<int>{11, 10, 10, 10, 20, 20, 20, 1, 2, 3, 4, 5, 6, 7}
                                       << QStringLiteral("1|2 3 4|5 6 7|8|9|10|11|12|13|14");
    QTest::newRow("equal job columns share") << QList<int>{10, 10, 10, 10, 20, 20, 20, 1, 1, 3, 4, 5, 6, 1}
                                             << QStringLiteral("1 2 3 4|5 6 7|8 9 14|10|11|12|13");
    // Base and job columns never share an entry, even when equal.
    QTest::newRow("all equal") << QList<int>(14, 3) << QStringLiteral("1 2 3 4 5 6 7|8 9 10 11 12 13 14");
}

void TestJobDatabase::builtInEntries()
{
    QFETCH(QList<int>, steps);
    QFETCH(QString, entries);
    std::array<int, 15> step{};
    for (int column = 1; column <= 14; ++column)
        step[size_t(column)] = steps[column - 1];
    const ExportedBlock block = exported(tableOfSteps(step));
    QStringList written;
    for (const ExportedEntry &entry : block.entries) {
        QStringList columns;
        for (int column : entry.columns)
            columns << QString::number(column);
        written << columns.join(u' ');
    }
    QCOMPARE(written.join(u'|'), entries);
    // The base entries keep the servers' order of B1 then B2, every job once.
    QStringList baseJobs;
    for (const ExportedEntry &entry : block.entries)
        if (entry.columns.front() <= 7)
            baseJobs += entry.jobs;
    QStringList ordered = baseJobs;
    std::sort(ordered.begin(), ordered.end(),
              [](const QString &a, const QString &b) { return (kB1 + kB2).indexOf(a) < (kB1 + kB2).indexOf(b); });
    QCOMPARE(ordered.size(), kB1.size() + kB2.size());
    if (block.entries.front().columns.size() == 4)
        QCOMPARE(block.entries.front().jobs, kB1);
}

void TestJobDatabase::baseGroupsAreNotSplit()
{
    JobChain base;
    QVERIFY(!base.load(jobFile(QStringLiteral("re/job_exp.yml"), renewalLike()), true));
    const ExperienceTable table = tableOfSteps(kShippedLike);
    const ExportedBlock block = exported(table, &base);
    QCOMPARE(block.entries.size(), size_t(9));
    QCOMPARE(block.entries[0].columns, (std::vector<int>{1, 2, 3, 4}));
    QCOMPARE(block.entries[0].jobs.join(u' '), QStringLiteral("Novice Swordman Knight Super_Novice Gangsi Baby_Ninja"));
    QCOMPARE(block.entries[3].jobs.join(u' '), QStringLiteral("Swordman Gangsi Baby_Taekwon"));
    QCOMPARE(block.entries[4].jobs.join(u' '), QStringLiteral("Knight Death_Knight Dark_Collector"));

    // Loaded after the base, every job of a covered group ends on its
    // column's curve; the group of no column keeps the shipped one.
    JobChain chain;
    QVERIFY(!chain.load(base.files().front(), true));
    QVERIFY(!chain.load({QStringLiteral("job_stats.yml"), wholeJobDatabase(block, 4)}));
    QVERIFY(checkExportedBlock(block, chain).isEmpty());
    QCOMPARE(chain.find(u"Baby_Ninja")->base.maximum, 6);
    QCOMPARE(chain.find(u"Baby_Ninja")->base.at(2), 20u);
    QCOMPARE(chain.find(u"Dark_Collector")->job.at(2), 6u);
    QCOMPARE(chain.find(u"Rune_Knight")->base.maximum, 200);
    QCOMPARE(chain.find(u"Rune_Knight")->job.at(2), 20u); // the base's own
    QCOMPARE(chain.find(u"Rune_Knight")->job.maximum, 70);
}

void TestJobDatabase::baseRefusals_data()
{
    QTest::addColumn<QByteArray>("base");
    QTest::addColumn<int>("column"); // a column made apart from its group's others; 0 for none
    QTest::addColumn<QString>("words");
    QTest::newRow("columns of one group differ") << renewalLike() << 2
                                                 << QStringLiteral("las columnas Nob Base y Base 1 son de un mismo "
                                                                   "grupo en re/job_exp.yml:6:5");
    QTest::newRow("no job curve of a representative")
        << jobHeader() + jobEntry(QStringLiteral("Novice Swordman Knight Supernovice"), true, 99) << 0
        << QStringLiteral("re/job_exp.yml no da la experiencia base de Novice_High");
}

void TestJobDatabase::baseRefusals()
{
    QFETCH(QByteArray, base);
    QFETCH(int, column);
    QFETCH(QString, words);
    JobChain chain;
    QVERIFY(!chain.load(jobFile(QStringLiteral("re/job_exp.yml"), base), true));
    std::array<int, 15> step = kShippedLike;
    if (column > 0)
        step[size_t(column)] += 1;
    ExportedBlock block;
    QString error;
    QVERIFY(!exportJobDatabase(tableOfSteps(step), QStringLiteral("Exp.txt"), &chain, &block, &error));
    QVERIFY2(error.startsWith(words), qPrintable(error));
    QVERIFY(error.endsWith(QStringLiteral("no se ha escrito nada.")));
}

void TestJobDatabase::checkNamesWhatWins()
{
    const ExportedBlock block = exported(tableOfSteps(kShippedLike));
    // The admin's own later entry, and a server built with a smaller limit.
    const std::string written =
        wholeJobDatabase(block, 2)
        + QByteArray("  - Jobs:\n      Knight: true\n    BaseExp:\n      - Level: 2\n        Exp: 7\n").toStdString();
    JobChain chain;
    QVERIFY(!chain.load({QStringLiteral("job_stats.yml"), written}));
    const QStringList warnings = checkExportedBlock(block, chain);
    QCOMPARE(warnings.size(), 1);
    QVERIFY2(warnings[0].startsWith(QStringLiteral("Knight: el nivel base 2 queda en 7 (job_stats.yml:")),
             qPrintable(warnings[0]));
    QVERIFY(warnings[0].endsWith(QStringLiteral("no en el 20 de Nob Base, Base 1, Base 2 y Sup Nob Base.")));

    JobChain small(4);
    QVERIFY(!small.load({QStringLiteral("job_stats.yml"), wholeJobDatabase(block, 2)}));
    const QStringList cut = checkExportedBlock(block, small);
    // Every covered job, both kinds: one line per entry, its jobs named.
    QCOMPARE(cut.size(), qsizetype(block.entries.size()));
    for (size_t i = 0; i < block.entries.size(); ++i)
        QVERIFY2(cut[qsizetype(i)].startsWith(jobNamesText(block.entries[i].jobs) + QStringLiteral(": el nivel ")),
                 qPrintable(cut[qsizetype(i)]));
    QVERIFY2(cut[0].startsWith(QStringLiteral("Novice, Swordman, Mage, Archer y 48 más: el nivel base máximo queda "
                                              "en 4 (job_stats.yml:")),
             qPrintable(cut[0]));
    QVERIFY2(cut[0].endsWith(QStringLiteral("compilado con MAX_LEVEL 4, corta el 6 de Nob Base, Base 1, Base 2 y Sup "
                                            "Nob Base.")),
             qPrintable(cut[0]));
}

void TestJobDatabase::importFromTheChain()
{
    JobChain chain;
    QVERIFY(!chain.load(jobFile(QStringLiteral("job_exp.yml"), representativesFile(4, 3))));
    // An admin's file: Knight's base level 2 given 0, Lord_Knight's job raised without items.
    QVERIFY(!chain.load(
        jobFile(QStringLiteral("job_stats.yml"), jobHeader()
                                                     + "  - Jobs:\n      Knight: true\n    BaseExp:\n      - Level: 2\n"
                                                       "        Exp: 0\n  - Jobs:\n      Lord_Knight: true\n"
                                                       "    MaxJobLevel: 5\n")));
    ExperienceTable table;
    QStringList warnings;
    QString error;
    QVERIFY2(importJobDatabase(chain, table, &warnings, &error), qPrintable(error));
    QCOMPARE(savedBytes(table), savedComment()
                                    + "10,10,10,10,10,10,10,3,3,3,3,3,3,3\r\n"
                                      "20,20,0,20,20,20,20,6,6,6,6,6,6,6\r\n"
                                      "30,30,0,30,30,30,30,0,0,0,0,0,0,999999999\r\n"
                                      "0,0,0,0,0,0,0,0,0,0,0,0,0,0\r\n");
    QCOMPARE(warnings.size(), 2);
    QVERIFY2(warnings[0].startsWith(QStringLiteral("Knight (columna Base 2): el nivel 2 no tiene experiencia y su "
                                                   "máximo es 4 (job_exp.yml:")),
             qPrintable(warnings[0]));
    QVERIFY2(warnings[1].startsWith(QStringLiteral("Lord_Knight (columna Job 2a): el nivel 4 no tiene experiencia y "
                                                   "su máximo es 5 (job_stats.yml:13:18)")),
             qPrintable(warnings[1]));
}

void TestJobDatabase::importRefusesAMissingJob()
{
    JobChain chain;
    QVERIFY(!chain.load(jobFile(QStringLiteral("i.yml"), jobHeader() + jobEntry(QStringLiteral("Novice"), true, 3))));
    ExperienceTable table = tableOf(3);
    const QByteArray before = savedBytes(table);
    QStringList warnings;
    QString error;
    QVERIFY(!importJobDatabase(chain, table, &warnings, &error));
    QCOMPARE(error,
             QStringLiteral("ningún archivo da la experiencia de Swordman, que va a las columnas Base 1 y Job 1."));
    QCOMPARE(savedBytes(table), before);
}

void TestJobDatabase::roundTrip_data()
{
    QTest::addColumn<QByteArray>("rows");
    QTest::newRow("ends at 0") << QByteArray("5,5,5,5,5,5,5,5,5,5,5,5,5,5\r\n6,6,6,6,6,6,6,6,6,6,6,6,6,6\r\n"
                                             "0,0,0,0,0,0,0,0,0,0,0,0,0,0\r\n");
    QTest::newRow("columns of their own lengths")
        << QByteArray("5,5,5,5,5,5,5,5,5,5,5,5,5,5\r\n6,0,6,6,6,6,6,0,6,6,6,6,6,6\r\n"
                      "7,0,0,7,7,7,7,0,0,7,7,7,7,7\r\n0,0,0,0,0,0,0,0,0,0,0,0,0,0\r\n");
    QTest::newRow("past 32 bits") << QByteArray("5,5,5,5,5,5,5,5,5,5,5,5,5,5\r\n18446744073709551615,6,6,6,6,6,6,6,6,6,"
                                                "6,6,6,6\r\n0,0,0,0,0,0,0,0,0,0,0,0,0,0\r\n");
}

void TestJobDatabase::roundTrip()
{
    QFETCH(QByteArray, rows);
    const ExperienceTable table = tableFromBytes(savedComment() + rows);
    JobChain chain;
    QVERIFY(!chain.load({QStringLiteral("t.yml"), wholeJobDatabase(exported(table), 2)}));
    ExperienceTable back;
    QStringList warnings;
    QString error;
    QVERIFY(importJobDatabase(chain, back, &warnings, &error));
    QCOMPARE(warnings, QStringList());
    QCOMPARE(savedBytes(back), savedBytes(table));
}

void TestJobDatabase::wholeFileSaysWhereItGoes()
{
    const std::string text = wholeJobDatabase(exported(tableOfSteps(kShippedLike)), 4);
    QVERIFY(text.starts_with("# "));
    QVERIFY(text.find("db/import/job_stats.yml") != std::string::npos);
    QVERIFY(text.find("db/import/job_exp.yml") == std::string::npos);
    QVERIFY(text.find("\nHeader:\n  Type: JOB_STATS\n  Version: 4\n\nBody:\n  # >>> vandrel-exp") != std::string::npos);
    QVERIFY(text.ends_with("  # <<< vandrel-exp: fin del bloque\n"));
}

QTEST_GUILESS_MAIN(TestJobDatabase)
#include "tst_job_database.moc"
