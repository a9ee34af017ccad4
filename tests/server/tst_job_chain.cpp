// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// The model of how the servers load their YAML job databases: the merge
// across files, entries and levels, and each of the loader's own ways.
#include "server/core/job_chain.h"

#include "job_files.h"

#include <QTest>

class TestJobChain : public QObject
{
    Q_OBJECT

private slots:
    void mergesAsTheServer_data();
    void mergesAsTheServer();
    void refusesWholeFiles_data();
    void refusesWholeFiles();
    void unknownNamesStopTheirEntry();
    void placesOfWhatWins();
    void recognisesJobDatabases_data();
    void recognisesJobDatabases();
};

namespace {

const QByteArray kNovice = jobHeader() + "  - Jobs:\n      Novice: true\n";

QByteArray items(const QList<QPair<QByteArray, QByteArray>> &levels)
{
    QByteArray text;
    for (const auto &[level, exp] : levels)
        text += "      - Level: " + level + "\n        Exp: " + exp + "\n";
    return text;
}

} // namespace

void TestJobChain::mergesAsTheServer_data()
{
    QTest::addColumn<QList<QByteArray>>("files");
    QTest::addColumn<int>("maxLevel");
    QTest::addColumn<QString>("job");
    QTest::addColumn<QString>("expected");  // "base MAX L=V ...; job MAX L=V ..."; "-" for a job not kept
    QTest::addColumn<QStringList>("codes"); // the notes' codes, in order

    const QByteArray novice3 =
        kNovice + "    MaxBaseLevel: 3\n    BaseExp:\n" + items({{"1", "5"}, {"2", "6"}, {"3", "7"}});
    QTest::newRow("one entry") << QList<QByteArray>{novice3} << 275 << QStringLiteral("Novice")
                               << QStringLiteral("base 3 1=5 2=6 3=7; job 275 1=0") << QStringList{};
    // Per job, per field, per level: a later file changes only what it gives.
    QTest::newRow("a later file, one level")
        << QList<QByteArray>{novice3, kNovice + "    BaseExp:\n" + items({{"2", "60"}})} << 275
        << QStringLiteral("novice") << QStringLiteral("base 3 1=5 2=60 3=7; job 275") << QStringList{};
    QTest::newRow("a later entry, the maximum")
        << QList<QByteArray>{novice3 + "  - Jobs:\n      NOVICE: true\n    MaxBaseLevel: 2\n"} << 275
        << QStringLiteral("Novice") << QStringLiteral("base 2 1=5 2=6") << QStringList{};
    // Raised later, the maximum does not bring back levels skipped before.
    QTest::newRow("items above the maximum skipped")
        << QList<QByteArray>{kNovice + "    MaxBaseLevel: 2\n    BaseExp:\n"
                             + items({{"1", "5"}, {"2", "6"}, {"3", "7"}})
                             + "  - Jobs:\n      Novice: true\n    MaxBaseLevel: 4\n"}
        << 275 << QStringLiteral("Novice") << QStringLiteral("base 4 1=5 2=6 3=0 4=0")
        << QStringList{QStringLiteral("nivel_omitido")};
    // The maximum is read before the items wherever it stands.
    QTest::newRow("maximum after the items")
        << QList<QByteArray>{kNovice + "    BaseExp:\n" + items({{"1", "5"}, {"4", "8"}}) + "    MaxBaseLevel: 3\n"}
        << 275 << QStringLiteral("Novice") << QStringLiteral("base 3 1=5 4=0")
        << QStringList{QStringLiteral("nivel_omitido")};
    QTest::newRow("maximum 0 becomes MAX_LEVEL")
        << QList<QByteArray>{kNovice + "    MaxJobLevel: 0\n"} << 175 << QStringLiteral("Novice")
        << QStringLiteral("job 175") << QStringList{QStringLiteral("maximo_recortado")};
    QTest::newRow("maximum above MAX_LEVEL")
        << QList<QByteArray>{kNovice + "    MaxBaseLevel: 300\n"} << 250 << QStringLiteral("Novice")
        << QStringLiteral("base 250") << QStringList{QStringLiteral("maximo_recortado")};
    QTest::newRow("false still applies") << QList<QByteArray>{jobHeader()
                                                              + "  - Jobs:\n      Novice: false\n    MaxJobLevel: 4\n"}
                                         << 275 << QStringLiteral("Novice") << QStringLiteral("job 4")
                                         << QStringList{QStringLiteral("false")};
    QTest::newRow("the two spellings of the Super Novice")
        << QList<QByteArray>{jobHeader() + "  - Jobs:\n      Supernovice: true\n    MaxJobLevel: 4\n",
                             jobHeader() + "  - Jobs:\n      super_NOVICE: true\n    MaxJobLevel: 6\n"}
        << 275 << QStringLiteral("Super_Novice") << QStringLiteral("job 6") << QStringList{};
    // The reader's numbers: hexadecimal, binary, octal, leading zeros
    // decimal, quoted, and no overflow check (Level 16-bit, Exp 64-bit).
    QTest::newRow("numbers as the server reads them")
        << QList<QByteArray>{kNovice + "    MaxBaseLevel: 0x10\n    BaseExp:\n"
                             + items({{"1", "0x1F"},
                                      {"0b10", "017"},
                                      {"0o3", "\"12\""},
                                      {"65540", "18446744073709551617"}})}
        << 275 << QStringLiteral("Novice") << QStringLiteral("base 16 1=31 2=17 3=12 4=1") << QStringList{};
    // Level 0, or an Exp that is no number, stops the entry: what was
    // written stays, a job new in it is not kept, later jobs get nothing.
    QTest::newRow("level 0 stops a known job's entry")
        << QList<QByteArray>{novice3, kNovice + "    BaseExp:\n" + items({{"1", "50"}, {"0", "1"}, {"3", "70"}})} << 275
        << QStringLiteral("Novice") << QStringLiteral("base 3 1=50 2=6 3=7")
        << QStringList{QStringLiteral("entrada_cortada")};
    QTest::newRow("a new job in a stopped entry is not kept")
        << QList<QByteArray>{kNovice + "    BaseExp:\n" + items({{"1", "-5"}})} << 275 << QStringLiteral("Novice")
        << QStringLiteral("-") << QStringList{QStringLiteral("entrada_cortada")};
    QTest::newRow("an Exp with a point stops the entry")
        << QList<QByteArray>{novice3, kNovice + "    BaseExp:\n" + items({{"1", "1.5"}})} << 275
        << QStringLiteral("Novice") << QStringLiteral("base 3 1=5") << QStringList{QStringLiteral("entrada_cortada")};
    QTest::newRow("an item without Exp changes nothing")
        << QList<QByteArray>{novice3 + "  - Jobs:\n      Novice: true\n    BaseExp:\n      - Level: 2\n"} << 275
        << QStringLiteral("Novice") << QStringLiteral("base 3 2=6") << QStringList{};
    QTest::newRow("an empty Exp stops the entry")
        << QList<QByteArray>{novice3, kNovice + "    BaseExp:\n      - Level: 2\n        Exp:\n"} << 275
        << QStringLiteral("Novice") << QStringLiteral("base 3 2=6") << QStringList{QStringLiteral("entrada_cortada")};
    // A job met for the first time has MAX_LEVEL and 0 everywhere.
    QTest::newRow("a job named for other tables")
        << QList<QByteArray>{jobHeader() + "  - Jobs:\n      Knight: true\n    MaxWeight: 28000\n"} << 260
        << QStringLiteral("Knight") << QStringLiteral("base 260 1=0; job 260 1=0") << QStringList{};
    QTest::newRow("Clear empties what came before")
        << QList<QByteArray>{novice3, "Header:\n  Type: JOB_STATS\n  Version: 4\n  Clear: true\n"} << 275
        << QStringLiteral("Novice") << QStringLiteral("-") << QStringList{};
    QTest::newRow("versions 3 and 4 read alike")
        << QList<QByteArray>{QByteArray(novice3).replace("Version: 2", "Version: 3"),
                             QByteArray(kNovice + "    BaseExp:\n" + items({{"3", "9"}}))
                                 .replace("Version: 2", "Version: 4")}
        << 275 << QStringLiteral("Novice") << QStringLiteral("base 3 1=5 3=9") << QStringList{};
    QTest::newRow("CR LF as LF") << QList<QByteArray>{QByteArray(novice3).replace("\n", "\r\n")} << 275
                                 << QStringLiteral("Novice") << QStringLiteral("base 3 1=5 2=6 3=7") << QStringList{};
}

void TestJobChain::mergesAsTheServer()
{
    QFETCH(QList<QByteArray>, files);
    QFETCH(int, maxLevel);
    QFETCH(QString, job);
    QFETCH(QString, expected);
    QFETCH(QStringList, codes);
    JobChain chain(maxLevel);
    for (qsizetype i = 0; i < files.size(); ++i) {
        const std::optional<ChainRefusal> refusal = chain.load(jobFile(QStringLiteral("f%1.yml").arg(i), files[i]));
        QVERIFY2(!refusal, refusal ? qPrintable(refusal->message) : "");
    }
    QStringList noted;
    for (const ChainNote &note : chain.notes())
        noted << QString::fromLatin1(note.code);
    QCOMPARE(noted, codes);
    const LoadedJob *loaded = chain.find(job);
    if (expected == QStringLiteral("-")) {
        QVERIFY(!loaded);
        return;
    }
    QVERIFY(loaded);
    for (const QString &part : expected.split(QStringLiteral("; "))) {
        const QStringList words = part.split(u' ');
        const JobLevels &levels = words[0] == QStringLiteral("base") ? loaded->base : loaded->job;
        QCOMPARE(levels.maximum, words[1].toInt());
        for (const QString &pair : words.mid(2)) {
            const QStringList lv = pair.split(u'=');
            QCOMPARE(levels.at(lv[0].toInt()), lv[1].toULongLong());
        }
    }
}

void TestJobChain::refusesWholeFiles_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("place"); // line:column; "0:0" for the whole file
    QTest::addColumn<QString>("words");
    QTest::addColumn<bool>("bound");
    const QByteArray novice = kNovice + "    MaxBaseLevel: 2\n";
    QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + novice << QStringLiteral("1:1")
                                     << QStringLiteral("marca de orden de bytes") << false;
    QTest::newRow("version 1") << QByteArray(novice).replace("Version: 2", "Version: 1") << QStringLiteral("3:12")
                               << QStringLiteral("Version: 1") << false;
    QTest::newRow("version 5") << QByteArray(novice).replace("Version: 2", "Version: 5") << QStringLiteral("3:12")
                               << QStringLiteral("de la 2 a la 4") << false;
    QTest::newRow("another type") << QByteArray(novice).replace("JOB_STATS", "JOB_EXP") << QStringLiteral("2:9")
                                  << QStringLiteral("Type: JOB_EXP") << false;
    QTest::newRow("no header") << QByteArray("Body:\n  - Jobs:\n      Novice: true\n") << QStringLiteral("1:1")
                               << QStringLiteral("cabecera") << false;
    QTest::newRow("comments only") << QByteArray("# nothing\n") << QStringLiteral("0:0") << QStringLiteral("cabecera")
                                   << false;
    QTest::newRow("an alias") << novice + "    BaseExp: *items\n"
                              << QStringLiteral("9:14") << QStringLiteral("alias") << false;
    QTest::newRow("a key twice in an entry") << novice + "    MaxBaseLevel: 3\n"
                                             << QStringLiteral("9:5") << QStringLiteral("MaxBaseLevel") << false;
    QTest::newRow("a second document") << novice + "---\n" + novice << QStringLiteral("10:1")
                                       << QStringLiteral("segundo documento") << false;
    QTest::newRow("Body not a list") << jobHeader() + "  Jobs: 1\n"
                                     << QStringLiteral("6:3") << QStringLiteral("Body debe ser una lista") << false;
    QTest::newRow("past the size bound") << novice + QByteArray(kMaxJobFileBytes, '#') << QStringLiteral("0:0")
                                         << QStringLiteral("16 MiB") << true;
    // Few bytes, many levels: each of 200 jobs given level 50,000.
    QByteArray many = jobHeader() + "  - Jobs:\n";
    for (int job = 0; job < 200; ++job)
        many += "      Job" + QByteArray::number(job) + ": true\n";
    many += "    MaxBaseLevel: 60000\n    BaseExp:\n      - Level: 50000\n        Exp: 1\n";
    QTest::newRow("past the levels bound")
        << many << QStringLiteral("0:0") << QStringLiteral("8000000 niveles") << true;
}

void TestJobChain::refusesWholeFiles()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, place);
    QFETCH(QString, words);
    QFETCH(bool, bound);
    // After a file that loads, which a refused one leaves as it was. As a
    // server's own file, any name is a job; any level up to 65,535.
    JobChain chain(kLargestServerMaxLevel);
    QVERIFY(!chain.load(jobFile(QStringLiteral("a.yml"), representativesFile())));
    const std::optional<ChainRefusal> refusal = chain.load(jobFile(QStringLiteral("b.yml"), text), true);
    QVERIFY(refusal);
    QCOMPARE(refusal->place.file, 1);
    QCOMPARE(QStringLiteral("%1:%2").arg(refusal->place.line).arg(refusal->place.column), place);
    QVERIFY2(refusal->message.contains(words), qPrintable(refusal->message));
    QCOMPARE(refusal->bound, bound);
    QCOMPARE(chain.find(u"Novice")->base.maximum, 99);
    QCOMPARE(chain.find(u"Novice")->base.at(1), 10u);
}

void TestJobChain::unknownNamesStopTheirEntry()
{
    const QByteArray text = jobHeader()
                            + "  - Jobs:\n      Knight: true\n      Kinght: true\n      Priest: true\n"
                              "      Wizard: true\n    MaxJobLevel: 5\n";
    JobChain chain;
    QVERIFY(!chain.load(jobFile(QStringLiteral("i.yml"), text)));
    QCOMPARE(chain.find(u"Knight")->job.maximum, 5);
    QVERIFY(!chain.find(u"Priest") && !chain.find(u"Wizard"));
    QCOMPARE(chain.notes().size(), size_t(1));
    const ChainNote &note = chain.notes().front();
    QCOMPARE(note.code, "trabajo_desconocido");
    QVERIFY(note.error);
    QCOMPARE(chain.placeText(note.place), QStringLiteral("i.yml:8:7"));
    QVERIFY2(note.message.contains(QStringLiteral("Priest y Wizard no reciben nada")), qPrintable(note.message));

    // The names of the server's own file are its jobs: a new one is known
    // there and in the files after it, without a new release of this tool.
    JobChain withOwn;
    QVERIFY(!withOwn.load(jobFile(QStringLiteral("job_exp.yml"),
                                  jobHeader() + "  - Jobs:\n      Night_Walker: true\n    MaxBaseLevel: 3\n"),
                          true));
    QVERIFY(!withOwn.load(jobFile(QStringLiteral("i.yml"), jobHeader()
                                                               + "  - Jobs:\n      NIGHT_WALKER: true\n"
                                                                 "      Kinght: true\n    MaxBaseLevel: 4\n")));
    QCOMPARE(withOwn.find(u"Night_Walker")->base.maximum, 4);
    QCOMPARE(withOwn.notes().size(), size_t(1));
}

void TestJobChain::placesOfWhatWins()
{
    JobChain chain;
    QVERIFY(!chain.load(jobFile(QStringLiteral("job_exp.yml"), representativesFile())));
    QVERIFY(
        !chain.load(jobFile(QStringLiteral("job_stats.yml"),
                            jobHeader(4) + "  - Jobs:\n      Knight: true\n    BaseExp:\n" + items({{"7", "77"}}))));
    const LoadedJob &knight = *chain.find(u"knight");
    QCOMPARE(knight.name, QStringLiteral("Knight"));
    QCOMPARE(chain.placeText(knight.base.placeOf(7)), QStringLiteral("job_stats.yml:10:14"));
    QCOMPARE(chain.placeText(knight.base.placeOf(6)).section(u':', 0, 0), QStringLiteral("job_exp.yml"));
    QVERIFY(!knight.base.placeOf(200).isSet());
    // The entry that last gave it experience: the group it belongs to.
    QCOMPARE(chain.entries()[size_t(knight.base.entry)].jobs, QStringList{QStringLiteral("Knight")});
    QCOMPARE(chain.placeText(chain.entries()[size_t(knight.base.entry)].place).section(u':', 0, 0),
             QStringLiteral("job_stats.yml"));
    QCOMPARE(chain.versionOf(0), 2);
    QCOMPARE(chain.versionOf(1), 4);
}

void TestJobChain::recognisesJobDatabases_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("database");
    QTest::newRow("header first") << QByteArray("Header:\n  Type: JOB_STATS\n") << true;
    QTest::newRow("after comments and a mark") << QByteArray("\xEF\xBB\xBF# x\n\n---\nHeader:\n") << true;
    QTest::newRow("a table") << QByteArray("//Archivo\r\n1,2,3\r\n") << false;
    QTest::newRow("indented header") << QByteArray("  Header:\n") << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestJobChain::recognisesJobDatabases()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, database);
    QCOMPARE(looksLikeJobDatabase(std::string_view(bytes.constData(), size_t(bytes.size()))), database);
}

QTEST_GUILESS_MAIN(TestJobChain)
#include "tst_job_chain.moc"
