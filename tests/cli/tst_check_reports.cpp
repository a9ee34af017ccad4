// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// comprobar's reports as functions of what was checked: the JSON's one
// shape, the SARIF log's rules, results and failed runs, the text's lines.
#include "cli/check_reports.h"

#include "core/file_name.h"

#include <QJsonArray>
#include <QTest>

class TestCheckReports : public QObject
{
    Q_OBJECT

private slots:
    void jsonHasOneShape();
    void sarifSaysWhatWasNotRead();
    void textNamesEachFileWhenSeveral();
    void summariesInSpanish_data();
    void summariesInSpanish();
};

namespace {

FileReport checked(const QString &path, std::string_view bytes)
{
    FileReport report;
    report.path = path;
    report.check = checkTableBytes(bytes, ServerInteger::Int32);
    for (const TableFinding &f : report.check.findings)
        (f.error ? report.errors : report.warnings) += 1;
    return report;
}

const std::string_view kClean = "//Archivo Creado Con Vandrel EXP Editor v1.0\r\n"
                                "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n0,0,0,0,0,0,0,0,0,0,0,0,0,0\r\n";
const std::string_view kShort = "//Archivo Creado Con Vandrel EXP Editor v1.0\r\n1,2,3\r\n";

} // namespace

void TestCheckReports::jsonHasOneShape()
{
    // One file or two: the same keys, the files under "archivos".
    CheckReports one;
    one.tables.push_back(checked(QStringLiteral("a.txt"), kClean));
    CheckReports two = one;
    two.tables.push_back(checked(QStringLiteral("b.txt"), kShort));
    const QJsonObject single = jsonReport(one), both = jsonReport(two);
    QCOMPARE(single.keys(), both.keys());
    QCOMPARE(single.value(QStringLiteral("version")).toInt(), kJsonReportVersion);
    QCOMPARE(single.value(QStringLiteral("archivos")).toArray().size(), 1);
    QCOMPARE(both.value(QStringLiteral("archivos")).toArray().size(), 2);
    QCOMPARE(both.value(QStringLiteral("errores")).toInt(), 1);
    // The last levels in column order, each named.
    const QJsonArray last = single.value(QStringLiteral("archivos"))
                                .toArray()
                                .at(0)
                                .toObject()
                                .value(QStringLiteral("ultimo_nivel"))
                                .toArray();
    QCOMPARE(last.size(), 14);
    QCOMPARE(last.at(0).toObject().value(QStringLiteral("columna")).toString(), QStringLiteral("Nob Base"));
    QCOMPARE(last.at(13).toObject().value(QStringLiteral("columna")).toString(), QStringLiteral("Job 2a"));
    QCOMPARE(last.at(13).toObject().value(QStringLiteral("nivel")).toInt(), 2);
    // The finding of the short line, as its fields say.
    const QJsonObject finding = both.value(QStringLiteral("archivos"))
                                    .toArray()
                                    .at(1)
                                    .toObject()
                                    .value(QStringLiteral("hallazgos"))
                                    .toArray()
                                    .at(0)
                                    .toObject();
    QCOMPARE(finding.value(QStringLiteral("codigo")).toString(), QStringLiteral("campos"));
    QCOMPARE(finding.value(QStringLiteral("linea")).toInt(), 2);
    // No YAML chain, no libconfig groups: no keys for them.
    QVERIFY(!single.contains(QStringLiteral("cadena_yaml")));
    QVERIFY(!single.contains(QStringLiteral("grupos_libconfig")));
}

void TestCheckReports::sarifSaysWhatWasNotRead()
{
    CheckReports reports;
    reports.tables.push_back(checked(QStringLiteral("b.txt"), kShort));
    const QJsonObject clean = sarifReport(reports);
    const auto run = [](const QJsonObject &log) {
        return log.value(QStringLiteral("runs")).toArray().at(0).toObject();
    };
    const auto invocation = [&](const QJsonObject &log) {
        return run(log).value(QStringLiteral("invocations")).toArray().at(0).toObject();
    };
    QCOMPARE(invocation(clean).value(QStringLiteral("executionSuccessful")), QJsonValue(true));
    QVERIFY(!invocation(clean).contains(QStringLiteral("toolExecutionNotifications")));
    const QJsonArray results = run(clean).value(QStringLiteral("results")).toArray();
    QCOMPARE(results.size(), 1);
    QCOMPARE(results.at(0).toObject().value(QStringLiteral("ruleId")).toString(), QStringLiteral("campos"));
    // Every kind of finding is a rule, in the table's order.
    const QJsonArray rules = run(clean)
                                 .value(QStringLiteral("tool"))
                                 .toObject()
                                 .value(QStringLiteral("driver"))
                                 .toObject()
                                 .value(QStringLiteral("rules"))
                                 .toArray();
    QCOMPARE(rules.size(), qsizetype(findingCodes().size()));
    QCOMPARE(rules.at(results.at(0).toObject().value(QStringLiteral("ruleIndex")).toInt())
                 .toObject()
                 .value(QStringLiteral("id"))
                 .toString(),
             QStringLiteral("campos"));

    reports.notRead.push_back({QStringLiteral("dir/falta.txt"), QStringLiteral("dir/falta.txt: No existe.")});
    const QJsonObject failed = invocation(sarifReport(reports));
    QCOMPARE(failed.value(QStringLiteral("executionSuccessful")), QJsonValue(false));
    const QJsonObject notification =
        failed.value(QStringLiteral("toolExecutionNotifications")).toArray().at(0).toObject();
    QCOMPARE(notification.value(QStringLiteral("level")).toString(), QStringLiteral("error"));
    QCOMPARE(notification.value(QStringLiteral("message")).toObject().value(QStringLiteral("text")).toString(),
             QStringLiteral("dir/falta.txt: No existe."));
    QCOMPARE(notification.value(QStringLiteral("locations"))
                 .toArray()
                 .at(0)
                 .toObject()
                 .value(QStringLiteral("physicalLocation"))
                 .toObject()
                 .value(QStringLiteral("artifactLocation"))
                 .toObject()
                 .value(QStringLiteral("uri"))
                 .toString(),
             QStringLiteral("dir/falta.txt"));
    QCOMPARE(jsonReport(reports).value(QStringLiteral("no_leidos")).toArray().size(), 1);
    // A name's bytes that are not UTF-8, percent-encoded as they are.
    QCOMPARE(artifactUri(nameFromSystem("a\xf1o.txt")), QStringLiteral("a%F1o.txt"));
}

void TestCheckReports::textNamesEachFileWhenSeveral()
{
    const FileReport report = checked(QStringLiteral("b.txt"), kShort);
    const QStringList alone = textOf(report, false).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(alone.size(), 3); // the finding, the last levels, the summary
    QVERIFY(alone[0].startsWith(QStringLiteral("b.txt:2:0: error: ")));
    QVERIFY(alone[1].startsWith(QStringLiteral("Último nivel: Nob Base ")));
    QCOMPARE(alone[2], QStringLiteral("1 error, 0 avisos en 1 nivel"));
    const QStringList named = textOf(report, true).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(named[2], QStringLiteral("b.txt: 1 error, 0 avisos en 1 nivel"));
    QCOMPARE(summaryOf(1, 1, 1), QStringLiteral("1 error, 1 aviso en 1 nivel"));
}

void TestCheckReports::summariesInSpanish_data()
{
    // The last line of a table's report: one of a thing in the singular.
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("summary");
    const QByteArray c = "//Archivo Creado Con Vandrel EXP Editor v1.0\r\n",
                     one = "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n";
    QTest::newRow("one level") << c + one << QStringLiteral("0 errores, 0 avisos en 1 nivel");
    QTest::newRow("one error") << c + one + "1,2,3\r\n" << QStringLiteral("1 error, 0 avisos en 2 niveles");
    QTest::newRow("one warning") << c + "1,2,3,4,5,6,7,8,9,10,11,12,13,14\n"
                                 << QStringLiteral("0 errores, 1 aviso en 1 nivel");
    QTest::newRow("two errors") << c + one + "1,2,3\r\n1,2,3\r\n" << QStringLiteral("2 errores, 0 avisos en 3 niveles");
}

void TestCheckReports::summariesInSpanish()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, summary);
    const QString text =
        textOf(checked(QStringLiteral("a.txt"), std::string_view(file.constData(), size_t(file.size()))), false);
    QCOMPARE(text.trimmed().split(u'\n').last(), summary);
}

QTEST_APPLESS_MAIN(TestCheckReports)
#include "tst_check_reports.moc"
