// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// The table in the libconfig family's files: written into the admin's own
// exp_group_db.conf without touching any other byte, shared groups split
// only on request and only for the jobs of their columns, read back.
#include "server/core/group_export.h"

#include "group_files.h"
#include "table/core/experience_table.h"

#include <QTest>

class TestGroupExport : public QObject
{
    Q_OBJECT

private slots:
    void roundTripKeepsEveryByte_data();
    void roundTripKeepsEveryByte();
    void changesOnlyTheGroupsItNames();
    void sharedGroupsHoldOneCurve();
    void separateMovesOnlyTheColumnsJobs();
    void theLRule();
    void makesAWholeFile();
    void addsAGroupTheFileLacks();
    void checkSaysWhatTheServerCuts();
    void importGivesTheColumns();
};

namespace {

ExpGroupServer loadedServer(const QByteArray &groups, const QByteArray &links = {}, int maxLevel = 175)
{
    ExpGroupServer server(maxLevel);
    if (server.loadGroups({QStringLiteral("exp_group_db.conf"), groups.toStdString()}))
        qFatal("groups refused");
    if (links.isEmpty())
        server.linkAsShipped();
    else if (server.loadLinks({QStringLiteral("job_db.conf"), links.toStdString()}))
        qFatal("links refused");
    return server;
}

ExperienceTable imported(const ExpGroupServer &server)
{
    ExperienceTable table;
    QStringList warnings;
    QString error;
    if (!importExpGroups(server, table, &warnings, &error))
        qFatal("%s", qPrintable(error));
    return table;
}

GroupExport exported(const ExperienceTable &table, const ExpGroupServer &server, bool separate = false)
{
    GroupExport out;
    QString error;
    if (!exportExpGroups(table, QStringLiteral("Exp.txt"), server, separate, &out, &error))
        qFatal("%s", qPrintable(error));
    return out;
}

// Column `column` of `table` times `factor`, down to its first 0.
void scaleColumn(ExperienceTable &table, int column, uint64_t factor)
{
    for (int32_t row = 1; row < table.rowCount(); ++row) {
        const uint64_t value = std::stoull(std::string(table.value(row, column)));
        if (value == 0)
            return;
        table.setValue(row, column, std::to_string(value * factor));
    }
}

// The lines of `after` not in `before`, in order.
QList<QByteArray> changedLines(const QByteArray &before, const QByteArray &after)
{
    const QList<QByteArray> old = before.split('\n');
    QList<QByteArray> changed;
    for (const QByteArray &line : after.split('\n'))
        if (!old.contains(line))
            changed << line;
    return changed;
}

} // namespace

void TestGroupExport::roundTripKeepsEveryByte_data()
{
    QTest::addColumn<QByteArray>("groups");
    QTest::addColumn<QByteArray>("links");
    QTest::newRow("as shipped") << shippedLikeGroups() << shippedLikeLinks();
    QTest::newRow("without job_db.conf") << shippedLikeGroups() << QByteArray();
    QTest::newRow("CR LF") << QByteArray(shippedLikeGroups()).replace("\n", "\r\n") << shippedLikeLinks();
    QTest::newRow("one-line arrays") << QByteArray(
        "base_exp_group_db: {\n  FirstClasses: { MaxLevel: 3 Exp: [ 4, 5 ] }  // x\n"
        "  TranscendedClasses: { MaxLevel: 2 Exp: [ 9 ] }\n}\njob_exp_group_db: {\n"
        "  Novice: { MaxLevel: 2 Exp: [ 1 ] }\n  FirstClasses: { MaxLevel: 2 Exp: [ 1 ] }\n"
        "  SecondClasses: { MaxLevel: 2 Exp: [ 1 ] }\n  SuperNovice: { MaxLevel: 2 Exp: [ 1 ] }\n"
        "  HighNovice: { MaxLevel: 2 Exp: [ 1 ] }\n  TranscendedFirstClasses: { MaxLevel: 2 Exp: [ 1 ] }\n"
        "  TranscendedSecondClasses: { MaxLevel: 2 Exp: [ 1 ] }\n}\n")
                                     << QByteArray();
}

void TestGroupExport::roundTripKeepsEveryByte()
{
    // What importar reads, exportar writes back byte for byte.
    QFETCH(QByteArray, groups);
    QFETCH(QByteArray, links);
    const ExpGroupServer server = loadedServer(groups, links);
    const GroupExport out = exported(imported(server), server);
    QCOMPARE(QByteArray::fromStdString(out.groups), groups);
    QVERIFY(!out.links);
    QVERIFY(out.addedGroups.isEmpty());
}

void TestGroupExport::changesOnlyTheGroupsItNames()
{
    const QByteArray groups = shippedLikeGroups();
    const ExpGroupServer server = loadedServer(groups, shippedLikeLinks());
    ExperienceTable table = imported(server);
    // Job columns 8 and 14, longer and larger.
    scaleColumn(table, 8, 3);
    scaleColumn(table, 14, 2);
    table.setValue(5, 14, "999"); // level 5 of a 6-level group, its last
    const GroupExport out = exported(table, server);
    const QByteArray written = QByteArray::fromStdString(out.groups);
    QCOMPARE(changedLines(groups, written), (QList<QByteArray>{"\t\t\t3, 6, 9", "\t\t\t14, 16, 18, 20, 999"}));
    // The result loads, with every representative on its column.
    const ExpGroupServer loaded = loadedServer(written, shippedLikeLinks());
    QVERIFY(loaded.notes().empty());
    QCOMPARE(checkExportedGroups(out, loaded), QStringList());
    // Other groups (third jobs, homunculi) as they were.
    QCOMPARE(loaded.groups()[size_t(loaded.findGroup(true, "ThirdClasses"))].exp,
             server.groups()[size_t(server.findGroup(true, "ThirdClasses"))].exp);
}

void TestGroupExport::sharedGroupsHoldOneCurve()
{
    const ExpGroupServer server = loadedServer(shippedLikeGroups(), shippedLikeLinks());
    ExperienceTable table = imported(server);
    scaleColumn(table, 3, 2); // Knight's base, FirstClasses like Novice's
    GroupExport out;
    QString error;
    QVERIFY(!exportExpGroups(table, QStringLiteral("Exp.txt"), server, false, &out, &error));
    QVERIFY2(error.contains(QStringLiteral("FirstClasses")) && error.contains(QStringLiteral("--separar")),
             qPrintable(error));
    // Without job_db.conf there is nowhere to move a job to.
    const ExpGroupServer shipped = loadedServer(shippedLikeGroups());
    QVERIFY(!exportExpGroups(table, QStringLiteral("Exp.txt"), shipped, true, &out, &error));
    QVERIFY2(error.contains(QStringLiteral("--trabajos")), qPrintable(error));
}

void TestGroupExport::separateMovesOnlyTheColumnsJobs()
{
    const QByteArray groups = shippedLikeGroups();
    const QByteArray links = shippedLikeLinks();
    const ExpGroupServer server = loadedServer(groups, links);
    ExperienceTable table = imported(server);
    scaleColumn(table, 2, 2); // Swordsman's base
    scaleColumn(table, 3, 2); // Knight's, the same curve: one new group for both
    scaleColumn(table, 4, 5); // Super_Novice's, another
    const GroupExport out = exported(table, server, true);
    QCOMPARE(out.addedGroups, (QStringList{QStringLiteral("base FirstClasses_Swordsman"),
                                           QStringLiteral("base FirstClasses_Super_Novice")}));
    QVERIFY(out.links);
    const ExpGroupServer loaded =
        loadedServer(QByteArray::fromStdString(out.groups), QByteArray::fromStdString(*out.links));
    QVERIFY2(loaded.notes().empty(), qPrintable(loaded.notes().empty() ? QString() : loaded.notes().front().message));
    QCOMPARE(checkExportedGroups(out, loaded), QStringList());
    // Every job keeps its groups but the jobs of columns 2 to 4.
    for (const LinkedJob &before : server.jobs()) {
        const LinkedJob *after = loaded.job(before.name);
        QVERIFY(after);
        QCOMPARE(after->jobName, before.jobName);
        const int column = groupColumnOf(before.name.toStdString(), true);
        const std::string expected = column == 2 || column == 3 ? "FirstClasses_Swordsman"
                                     : column == 4              ? "FirstClasses_Super_Novice"
                                                                : before.baseName;
        QCOMPARE(after->baseName, expected);
    }
    // Soul_Reaper, Gunslinger's kin and the rest of FirstClasses stay on Novice's curve.
    QCOMPARE(loaded.job(u"Soul_Reaper")->baseName, std::string("FirstClasses"));
    // In job_db.conf only BaseExpGroup lines changed.
    for (const QByteArray &line : changedLines(links, QByteArray::fromStdString(*out.links)))
        QVERIFY2(line.startsWith("\tBaseExpGroup: \"FirstClasses_"), line.constData());
    // A second export finds the split groups and changes nothing more.
    const GroupExport again = exported(table, loaded, true);
    QCOMPARE(again.groups, out.groups);
    QVERIFY(!again.links);
}

void TestGroupExport::theLRule()
{
    const QByteArray groups = shippedLikeGroups();
    const ExpGroupServer server = loadedServer(groups);
    ExperienceTable table = imported(server);
    table.setValue(2, 12, "2147483648"); // HighNovice, level 2
    table.setValue(2, 13, "2147483647"); // TranscendedFirstClasses: the largest plain value
    GroupExport out = exported(table, server);
    QCOMPARE(changedLines(groups, QByteArray::fromStdString(out.groups)),
             (QList<QByteArray>{"\t\t\t5L, 2147483648L, 7L", "\t\t\t6, 2147483647, 8, 9"}));
    const ExpGroupServer loaded = loadedServer(QByteArray::fromStdString(out.groups));
    QCOMPARE(loaded.groups()[size_t(loaded.findGroup(false, "HighNovice"))].exp,
             (std::vector<uint64_t>{5, 2147483648, 7}));
    QVERIFY(loaded.notes().empty());
    // Past 2^63 - 1 nothing can be written.
    table.setValue(1, 1, "9223372036854775808");
    QString error;
    QVERIFY(!exportExpGroups(table, QStringLiteral("Exp.txt"), server, false, &out, &error));
    QVERIFY2(error.contains(QStringLiteral("9223372036854775807")), qPrintable(error));
}

void TestGroupExport::makesAWholeFile()
{
    const ExpGroupServer source = loadedServer(shippedLikeGroups());
    const ExperienceTable table = imported(source);
    ExpGroupServer empty;
    QVERIFY(!empty.loadGroups({QStringLiteral("nuevo.conf"), std::string()}));
    empty.linkAsShipped();
    const GroupExport out = exported(table, empty);
    QVERIFY(QByteArray::fromStdString(out.groups).startsWith("// "));
    const ExpGroupServer loaded = loadedServer(QByteArray::fromStdString(out.groups));
    QVERIFY(loaded.notes().empty());
    QCOMPARE(loaded.groups().size(), size_t(9)); // the seven job groups and two base ones
    QCOMPARE(checkExportedGroups(out, loaded), QStringList());
}

void TestGroupExport::addsAGroupTheFileLacks()
{
    // The links name a group the file does not have: added at the end of its root.
    QByteArray groups = shippedLikeGroups();
    const QByteArray high = groupText({"HighNovice", 4, rising(3, 5)});
    groups.replace(high, "");
    const ExpGroupServer server = loadedServer(groups);
    const ExperienceTable table = imported(loadedServer(shippedLikeGroups()));
    const GroupExport out = exported(table, server);
    QCOMPARE(out.addedGroups, QStringList{QStringLiteral("de trabajo HighNovice")});
    QVERIFY(QByteArray::fromStdString(out.groups).endsWith(high + "}\n"));
    QCOMPARE(checkExportedGroups(out, loadedServer(QByteArray::fromStdString(out.groups))), QStringList());
}

void TestGroupExport::checkSaysWhatTheServerCuts()
{
    // A curve longer than MAX_LEVEL: the server cuts it, and the check says so.
    const ExpGroupServer server = loadedServer(shippedLikeGroups(), {}, 4);
    const ExperienceTable table = imported(loadedServer(shippedLikeGroups()));
    const GroupExport out = exported(table, server);
    const QStringList warnings = checkExportedGroups(out, loadedServer(QByteArray::fromStdString(out.groups), {}, 4));
    QVERIFY2(warnings.size() >= 1 && warnings.front().contains(QStringLiteral("MAX_LEVEL 4")),
             qPrintable(warnings.join(u'\n')));
}

void TestGroupExport::importGivesTheColumns()
{
    const ExpGroupServer server = loadedServer(shippedLikeGroups(), shippedLikeLinks());
    const ExperienceTable table = imported(server);
    // Rows to the largest maximum (SuperNovice's 7), 0 from each maximum on.
    QCOMPARE(table.rowCount(), 8);
    QCOMPARE(QByteArray(table.packedRow(1).data(), qsizetype(table.packedRow(1).size())),
             QByteArray("10,10,10,10,20,20,20,1,2,3,4,5,6,7"));
    QCOMPARE(QByteArray(table.packedRow(5).data(), qsizetype(table.packedRow(5).size())),
             QByteArray("0,0,0,0,24,24,24,0,0,0,8,0,0,11"));
    // A representative without a group cannot give its column.
    ExpGroupServer broken;
    QVERIFY(!broken.loadGroups({QStringLiteral("g.conf"), shippedLikeGroups().toStdString()}));
    QVERIFY(!broken.loadLinks(
        {QStringLiteral("j.conf"), (shippedLikeLinks() + linkEntry("Knight", "X", "Y")).toStdString()}));
    ExperienceTable untouched;
    QStringList warnings;
    QString error;
    QVERIFY(!importExpGroups(broken, untouched, &warnings, &error));
    QVERIFY2(error.contains(QStringLiteral("Knight")), qPrintable(error));
    QCOMPARE(untouched.rowCount(), ExperienceTable().rowCount());
}

QTEST_APPLESS_MAIN(TestGroupExport)
#include "tst_group_export.moc"
