// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// exportar's block in the admin's own import file: every byte outside it
// kept, the block replaced where it stands, refusals where it cannot be.
#include "server/core/import_file.h"

#include "job_files.h"
#include "server/core/job_database.h"
#include "test_files.h"

#include <QTest>

class TestImportFile : public QObject
{
    Q_OBJECT

private slots:
    void keepsEveryOtherByte_data();
    void keepsEveryOtherByte();
    void replacesItsBlockInPlace();
    void refusals_data();
    void refusals();
};

namespace {

ExportedBlock blockOf(const ExperienceTable &table)
{
    ExportedBlock block;
    QString error;
    if (!exportJobDatabase(table, QStringLiteral("Exp.txt"), nullptr, &block, &error))
        qFatal("%s", qPrintable(error));
    return block;
}

// Three levels in every column, then 0.
ExperienceTable smallTable(std::string_view row = "5,5,5,5,6,6,6,1,2,3,4,5,6,7")
{
    return tableOfRows({row, row, "0,0,0,0,0,0,0,0,0,0,0,0,0,0"});
}

const QByteArray kOtherEntry = "  - Jobs:\n      Knight: true\n    MaxWeight: 28000\n";

} // namespace

void TestImportFile::keepsEveryOtherByte_data()
{
    QTest::addColumn<QByteArray>("existing");
    QTest::addColumn<qsizetype>("insertAt"); // where the block goes in the file
    QTest::addColumn<QByteArray>("indent");
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::addColumn<QByteArray>("added"); // bytes the program adds besides the block
    const QByteArray head = "# mis cambios\nHeader:\n  Type: JOB_STATS\n  Version: 4\n";
    QTest::newRow("template: Body commented out")
        << head + "\n#Body:\n#  - Jobs:\n"
        << qsizetype(-1) << QByteArray("  ") << QByteArray("\n") << QByteArray("Body:\n");
    QTest::newRow("no final line end") << QByteArray(head).chopped(1) << qsizetype(-1) << QByteArray("  ")
                                       << QByteArray("\n") << QByteArray("\nBody:\n");
    QTest::newRow("Body empty, Footer after") << head + "Body: # nada aún\nFooter:\n  Imports:\n    - Path: otro.yml\n"
                                              << qsizetype(head.size() + QByteArray("Body: # nada aún\n").size())
                                              << QByteArray("  ") << QByteArray("\n") << QByteArray();
    // After the last entry's last line, before the comments and key after it.
    QTest::newRow("entries, comments, Footer")
        << head + "Body:\n" + kOtherEntry + "\n# fin\nFooter:\n  Imports: []\n"
        << qsizetype(head.size() + 6 + kOtherEntry.size()) << QByteArray("  ") << QByteArray("\n") << QByteArray();
    QTest::newRow("items at the left edge") << head + "Body:\n- Jobs:\n    Knight: true\n  MaxWeight: 1\n"
                                            << qsizetype(-1) << QByteArray() << QByteArray("\n") << QByteArray();
    QTest::newRow("CR LF") << QByteArray(head + "Body:\n" + kOtherEntry).replace("\n", "\r\n") << qsizetype(-1)
                           << QByteArray("  ") << QByteArray("\r\n") << QByteArray();
}

void TestImportFile::keepsEveryOtherByte()
{
    QFETCH(QByteArray, existing);
    QFETCH(qsizetype, insertAt);
    QFETCH(QByteArray, indent);
    QFETCH(QByteArray, lineEnd);
    QFETCH(QByteArray, added);
    const ExportedBlock block = blockOf(smallTable());
    std::string merged;
    QString error;
    QVERIFY2(mergeIntoImportFile(existing.toStdString(), QStringLiteral("job_stats.yml"), block, &merged, &error),
             qPrintable(error));
    const QByteArray text = blockText(block, indent.toStdString(), lineEnd.toStdString()).c_str();
    const qsizetype at = insertAt < 0 ? existing.size() : insertAt;
    QCOMPARE(QByteArray::fromStdString(merged), existing.left(at) + added + text + existing.mid(at));
    // And the server loads it, the block's jobs on the table's curves.
    JobChain chain;
    QVERIFY(!chain.load({QStringLiteral("job_stats.yml"), merged}));
    QCOMPARE(chain.find(u"Lord_Knight")->job.maximum, 3);
    QCOMPARE(chain.find(u"Lord_Knight")->job.at(2), 7u);
    QVERIFY(checkExportedBlock(block, chain).isEmpty());
}

void TestImportFile::replacesItsBlockInPlace()
{
    const QByteArray before = jobHeader(3) + kOtherEntry, after = "# mío, al final\n";
    std::string first, second;
    QString error;
    QVERIFY(mergeIntoImportFile((before + after).toStdString(), QStringLiteral("i.yml"), blockOf(smallTable()), &first,
                                &error));
    // Again with another table: the block changes where it stands, the rest not a byte.
    const ExportedBlock other = blockOf(smallTable("9,9,9,9,9,9,9,9,9,9,9,9,9,9"));
    QVERIFY2(mergeIntoImportFile(first, QStringLiteral("i.yml"), other, &second, &error), qPrintable(error));
    QCOMPARE(QByteArray::fromStdString(second), before + QByteArray(blockText(other, "  ", "\n").c_str()) + after);
    // The same table twice: the same bytes.
    std::string third;
    QVERIFY(mergeIntoImportFile(second, QStringLiteral("i.yml"), other, &third, &error));
    QCOMPARE(third, second);
}

void TestImportFile::refusals_data()
{
    QTest::addColumn<QByteArray>("existing");
    QTest::addColumn<QString>("words");
    const QByteArray head = jobHeader();
    QTest::newRow("Body in flow style") << head.chopped(6) + "Body: [ ]\n"
                                        << QStringLiteral("i.yml:5:7: Body está escrito como una lista");
    QTest::newRow("Body null, written") << head.chopped(6) + "Body: ~\n"
                                        << QStringLiteral("i.yml:5: Body dice «Body: ~»");
    QTest::newRow("a marker alone") << head + kOtherEntry + "  # >>> vandrel-exp: la tabla\n"
                                    << QStringLiteral("i.yml:9: las líneas que marcan el bloque");
    QTest::newRow("markers reversed") << head + "  # <<< vandrel-exp\n" + kOtherEntry + "  # >>> vandrel-exp\n"
                                      << QStringLiteral("i.yml:6: las líneas que marcan");
    QTest::newRow("not a job database") << QByteArray("antes\n") << QStringLiteral("cabecera");
    QTest::newRow("one the server refuses")
        << "\xEF\xBB\xBF" + head << QStringLiteral("i.yml:1:1: empieza con una marca");
    QTest::newRow("the whole file in flow style")
        << QByteArray("{Header: {Type: JOB_STATS, Version: 2}}\n") << QStringLiteral("un mapa { … }");
}

void TestImportFile::refusals()
{
    QFETCH(QByteArray, existing);
    QFETCH(QString, words);
    std::string merged = "intacto";
    QString error;
    QVERIFY(
        !mergeIntoImportFile(existing.toStdString(), QStringLiteral("i.yml"), blockOf(smallTable()), &merged, &error));
    QVERIFY2(error.contains(words), qPrintable(error));
    QVERIFY(error.endsWith(QStringLiteral("No se ha escrito nada.")));
    QCOMPARE(merged, std::string("intacto"));
}

QTEST_GUILESS_MAIN(TestImportFile)
#include "tst_import_file.moc"
