// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// comprobar's reports as functions of what was checked: the JSON's one
// shape, the SARIF log's rules, results and failed runs, the text's lines.
#include "cli/check_reports.h"

#include "core/file_name.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

class TestCheckReports : public QObject
{
    Q_OBJECT

private slots:
    void jsonHasOneShape();
    void sarifSaysWhatWasNotRead();
    void sarifHasEveryKindOfFinding();
    void textNamesEachFileWhenSeveral();
    void summariesInSpanish_data();
    void summariesInSpanish();
};

using namespace Qt::StringLiterals;

namespace {

FileReport checked(const QString &path, std::string_view bytes, qint64 expectedLevels = -1)
{
    FileReport report;
    report.path = path;
    report.check = checkTableBytes(bytes, ServerInteger::Int32, expectedLevels);
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

void TestCheckReports::sarifHasEveryKindOfFinding()
{
    // Files that between them give every kind of finding: tables, a chain
    // of YAML job databases, and libconfig groups (one of them a file the
    // server fails whole, in a run of its own).
    CheckReports reports;
    reports.tables.push_back(checked(u"muchos.txt"_s,
                                     "\xEF\xBB\xBF"
                                     "1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"
                                     "1,2,,4,5,6,7,8,9,10,11,12,13,x\r\n"
                                     "9999999999,2,3,4,5,6,7,8,9,10,11,12,13,1\n"
                                     "sin coma\r\n"
                                     "1,2,3\r\n",
                                     9));
    reports.tables.push_back(checked(u"vacio.txt"_s, "", 9));
    // What only the servers' reading finds.
    std::string server = "\xEF\xBB\xBF//c\r\n"
                         "1,2,3,4,5,6,7,8,9,10,11,12,13,+14\r\n"
                         "2,3,4,5,6,7,8,9,10,11,12,13,14,-15\r\n"
                         "0,3,4,5,6,7,8,9,10,11,12,13,14,15\r"
                         "3,4,5,6,7,8,9,10,11,12,13,14,15,16\r\n"
                         "4,5,6,7,8,9,10,11,12,13,14,15,16,"
                         + std::string(1100, '0') + "17\r\n";
    for (int level = 0; level < 260; ++level)
        server += "5,6,7,8,9,10,11,12,13,14,15,16,17,18\r\n";
    reports.tables.push_back(checked(u"servidor.txt"_s, server + "\x1a", 9));
    // The server's own file, the admin's, and one the server refuses.
    const std::string header = "Header:\n  Type: JOB_STATS\n  Version: 2\nBody:\n";
    ChainReport chain{JobChain(kDefaultServerMaxLevel), {}, {}};
    QVERIFY(loadChainReport(chain, {u"a.yml"_s, u"b.yml"_s, u"c.yml"_s},
                            {header
                                 + "  - Jobs:\n      Novice: true\n    MaxBaseLevel: 3\n    BaseExp:\n"
                                   "      - Level: 1\n        Exp: 2147483648\n      - Level: 2\n        Exp: 0\n"
                                   "      - Level: 4\n        Exp: 1\n"
                                   "  - Jobs:\n      Swordman: true\n    MaxBaseLevel: 1\n",
                             header
                                 + "  - Jobs:\n      Novice: false\n      Kinght: true\n    MaxJobLevel: 300\n"
                                   "  - Jobs:\n      Knight: true\n    JobExp:\n      - Level: 0\n        Exp: 1\n",
                             "\xEF\xBB\xBF" + header},
                            false)
                .empty());
    reports.chain = &chain;
    GroupReport groups{
        ExpGroupServer(kDefaultGroupServerMaxLevel), {u"exp_group_db.conf"_s, u"job_db.conf"_s}, {}, 0, 0};
    QString error;
    QVERIFY2(
        loadGroupReport(groups,
                        {"base_exp_group_db: {\n"
                         "  FirstClasses: { MaxLevel: 3 Exp: [ 1, 2, 3 ] }\n"                 // valores_de_mas
                         "  FirstClasses: { MaxLevel: 3 Exp: [ 1, 2 ] }\n"                    // grupo_repetido
                         "  Transcended: { MaxLevel: 300 Exp: [ 1, 2147483648 ] }\n"          // maximo_recortado,
                                                                                              // valores_de_menos,
                                                                                              // valor_desbordado
                         "  Sin: { MaxLevel: 3 }\n"                                           // sin_exp
                         "  Un_Nombre_De_Grupo_Demasiado_Largo: { MaxLevel: 2 Exp: [ 1 ] }\n" // nombre_largo,
                                                                                              // grupo_sin_uso
                         "}\n",                                                               // sin_raiz (no job root)
                         "Novice: { BaseExpGroup: \"firstclasses\" JobExpGroup: \"Novice\" }\n" // grupo_desconocido
                         "Swordsman: { JobExpGroup: \"Novice\" }\n"                             // sin_grupo
                         "Knight: { BaseExpGroup: \"Transcended\" }\n"},
                        &error),
        qPrintable(error));
    reports.groups = &groups;
    GroupReport mixed{ExpGroupServer(kDefaultGroupServerMaxLevel), {u"mezcla.conf"_s}, {}, 0, 0};
    QVERIFY(loadGroupReport(mixed, {"base_exp_group_db: { A: { MaxLevel: 3 Exp: [ 1, 2L ] } }\n"}, &error));
    CheckReports alone;
    alone.groups = &mixed;

    QSet<QString> kinds;
    QStringList results;
    const QJsonObject log = sarifReport(reports);
    for (const QJsonObject &each : {log, sarifReport(alone)}) {
        const QJsonObject run = each.value(u"runs"_s).toArray().at(0).toObject();
        const QJsonArray rules =
            run.value(u"tool"_s).toObject().value(u"driver"_s).toObject().value(u"rules"_s).toArray();
        for (const QJsonValue &value : run.value(u"results"_s).toArray()) {
            const QJsonObject result = value.toObject();
            const QString rule = result.value(u"ruleId"_s).toString();
            kinds.insert(rule);
            QCOMPARE(rules.at(result.value(u"ruleIndex"_s).toInt()).toObject().value(u"id"_s).toString(), rule);
            const QJsonObject location =
                result.value(u"locations"_s).toArray().at(0).toObject().value(u"physicalLocation"_s).toObject();
            const QJsonObject region = location.value(u"region"_s).toObject();
            results << u"%1:%2:%3-%4 %5 %6"_s
                           .arg(location.value(u"artifactLocation"_s).toObject().value(u"uri"_s).toString())
                           .arg(region.value(u"startLine"_s).toInt())
                           .arg(region.value(u"startColumn"_s).toInt())
                           .arg(region.value(u"endColumn"_s).toInt())
                           .arg(result.value(u"level"_s).toString(), rule);
        }
    }
    QSet<QString> everyKind;
    for (const FindingCode &code : findingCodes())
        everyKind.insert(QString::fromLatin1(code.code));
    QCOMPARE(kinds, everyKind);
    // As many results as the JSON has findings, at their fields' columns.
    qsizetype findings = 0;
    const QJsonObject json = jsonReport(reports);
    for (const QJsonValue &file : json.value(u"archivos"_s).toArray())
        findings += file.toObject().value(u"hallazgos"_s).toArray().size();
    for (const QString &part : {u"cadena_yaml"_s, u"grupos_libconfig"_s})
        findings += json.value(part).toObject().value(u"hallazgos"_s).toArray().size();
    QCOMPARE(log.value(u"runs"_s).toArray().at(0).toObject().value(u"results"_s).toArray().size(), findings);
    for (const QString &expected : {u"muchos.txt:2:5-5 error vacio"_s, u"muchos.txt:2:30-31 error no_numerico"_s,
                                    u"muchos.txt:3:1-11 error fuera_de_rango"_s, u"vacio.txt:1:0-0 error sin_niveles"_s,
                                    u"b.yml:7:7-0 error trabajo_desconocido"_s, u"c.yml:1:1-0 error no_se_carga"_s})
        QVERIFY2(results.contains(expected), qPrintable(expected + u"\n\n"_s + results.join(u'\n')));

    // Valid against the SARIF 2.1.0 schema.
    const QString schema = qEnvironmentVariable("VEXP_SARIF_SCHEMA");
    if (schema.isEmpty() || !QFileInfo::exists(schema))
        QSKIP("no SARIF schema at hand (make test fetches it: scripts/sarif-schema.sh)");
    QTemporaryDir dir;
    QFile file(dir.filePath(u"log.sarif"_s));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QJsonDocument(log).toJson()) > 0);
    file.close();
    QProcess validator;
    validator.start(u"/usr/bin/python3"_s,
                    {u"-c"_s,
                     u"import json, sys, jsonschema\n"
                     "schema = json.load(open(sys.argv[1]))\n"
                     "jsonschema.Draft4Validator(schema).validate(json.load(open(sys.argv[2])))\n"_s,
                     schema, file.fileName()});
    QVERIFY(validator.waitForFinished(60000));
    QVERIFY2(validator.exitCode() == 0, validator.readAllStandardError().constData());
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
