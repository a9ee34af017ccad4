// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// The check of a chain of YAML job databases: what comprobar reports of
// the jobs as the server ends with them.
#include "server/core/chain_check.h"

#include "job_files.h"

#include <QTest>

class TestChainCheck : public QObject
{
    Q_OBJECT

private slots:
    void findings_data();
    void findings();
    void shippedLayoutPasses();
};

void TestChainCheck::findings_data()
{
    QTest::addColumn<QByteArray>("importFile"); // after the representatives' file
    QTest::addColumn<bool>("int32");
    QTest::addColumn<QStringList>("expected"); // "code severity line: words"
    const QByteArray head = jobHeader();
    QTest::newRow("nothing") << QByteArray(head) << false << QStringList{};
    QTest::newRow("a level without experience")
        << head
               + "  - Jobs:\n      Knight: true\n      Swordman: true\n    BaseExp:\n      - Level: 7\n        Exp: 0\n"
        << false
        << QStringList{QStringLiteral("sin_experiencia error 11: Swordman y Knight: el nivel base 7 no tiene "
                                      "experiencia y el máximo es 99")};
    QTest::newRow("a maximum raised without items")
        << head + "  - Jobs:\n      Lord_Knight: true\n    MaxJobLevel: 60\n"
        << false
        << QStringList{QStringLiteral("sin_experiencia error 8: Lord_Knight: el nivel de trabajo 51 no tiene")};
    QTest::newRow("a base table and no job table")
        << head + jobEntry(QStringLiteral("Rune_Knight"), true, 3) << false
        << QStringList{QStringLiteral("sin_tabla aviso 7: Rune_Knight tiene tabla base y no de trabajo")};
    QTest::newRow("named for other tables only") << head + "  - Jobs:\n      Ninja: true\n    MaxWeight: 1\n"
                                                 << false
                                                 << QStringList{QStringLiteral("sin_tabla aviso 7: Ninja no tiene "
                                                                               "tabla base ni de trabajo")};
    const QByteArray big = head
                           + "  - Jobs:\n      Novice: true\n    BaseExp:\n      - Level: 3\n"
                             "        Exp: 2147483648\n";
    QTest::newRow("past 32 bits") << big << false
                                  << QStringList{QStringLiteral("mas_de_int32 aviso 10: Novice: el nivel base 3 pide "
                                                                "2147483648")};
    QTest::newRow("past 32 bits, --tipo int32")
        << big << true << QStringList{QStringLiteral("mas_de_int32 error 10: Novice")};
    QTest::newRow("the loader's own")
        << head + "  - Jobs:\n      Knight: false\n      Kinght: true\n    MaxBaseLevel: 300\n"
        << false
        << QStringList{
               QStringLiteral("false aviso 7: Knight: false"),
               QStringLiteral("trabajo_desconocido error 8: «Kinght» no es un trabajo"),
               QStringLiteral("maximo_recortado aviso 9: MaxBaseLevel 300 de Knight"),
               QStringLiteral(
                   "sin_experiencia error 9: Knight: el nivel base 100 no tiene experiencia y el máximo es 275")};
}

void TestChainCheck::findings()
{
    QFETCH(QByteArray, importFile);
    QFETCH(bool, int32);
    QFETCH(QStringList, expected);
    JobChain chain;
    QVERIFY(!chain.load(jobFile(QStringLiteral("job_exp.yml"), representativesFile()), true));
    QVERIFY(!chain.load(jobFile(QStringLiteral("job_stats.yml"), importFile)));
    const ChainCheck check = checkJobChain(chain, int32);
    QCOMPARE(qsizetype(check.findings.size()), expected.size());
    qint64 errors = 0;
    for (size_t i = 0; i < check.findings.size(); ++i) {
        const ChainNote &f = check.findings[i];
        const QString shown =
            QStringLiteral("%1 %2 %3: %4")
                .arg(QString::fromLatin1(f.code), f.error ? QStringLiteral("error") : QStringLiteral("aviso"))
                .arg(f.place.file == 1 ? f.place.line : 0)
                .arg(f.message);
        QVERIFY2(shown.startsWith(expected[qsizetype(i)]), qPrintable(shown));
        errors += f.error;
    }
    QCOMPARE(check.errors, errors);
    QCOMPARE(check.warnings, qint64(check.findings.size()) - errors);
}

void TestChainCheck::shippedLayoutPasses()
{
    // The servers' own layout: every level below each maximum given, the
    // placeholder at it, names in any case.
    JobChain chain(175);
    QVERIFY(!chain.load(jobFile(QStringLiteral("job_exp.yml"),
                                QByteArray(representativesFile(175, 70)).replace("Novice_High", "NOVICE_HIGH"))));
    const ChainCheck check = checkJobChain(chain, true);
    QCOMPARE(check.findings.size(), size_t(0));
    QCOMPARE(chain.jobs().size(), size_t(7));
}

QTEST_GUILESS_MAIN(TestChainCheck)
#include "tst_chain_check.moc"
