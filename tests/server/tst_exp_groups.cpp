// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// The model of how the libconfig family's servers load experience groups
// and each job's links to them.
#include "server/core/exp_groups.h"

#include "group_files.h"

#include <QTest>

class TestExpGroups : public QObject
{
    Q_OBJECT

private slots:
    void loadsGroupsAsTheServer_data();
    void loadsGroupsAsTheServer();
    void refusesWholeFiles_data();
    void refusesWholeFiles();
    void linksJobsAsTheServer();
    void linkFindings_data();
    void linkFindings();
    void recognisesGroupDatabases_data();
    void recognisesGroupDatabases();
};

namespace {

// A base group as loaded: "MAX v1 v2 …", "-" for none.
QString loaded(const ExpGroupServer &server, const char *name, bool base = true)
{
    const int index = server.findGroup(base, name);
    if (index < 0)
        return QStringLiteral("-");
    const ExpGroup &group = server.groups()[size_t(index)];
    QStringList out{QString::number(group.maximum)};
    for (const uint64_t value : group.exp)
        out << QString::number(value);
    return out.join(u' ');
}

QStringList codesOf(const ExpGroupServer &server)
{
    QStringList codes;
    for (const GroupNote &note : server.notes()) {
        codes << QString::fromLatin1(note.code);
        if (note.message.isEmpty())
            codes << QStringLiteral("(sin mensaje)");
    }
    return codes;
}

QByteArray oneBase(const QByteArray &body)
{
    return "base_exp_group_db: {\n" + body + "\n}\njob_exp_group_db: { }\n";
}

} // namespace

void TestExpGroups::loadsGroupsAsTheServer_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("maxLevel");
    QTest::addColumn<QString>("group"); // base group "G" as loadedOf gives it
    QTest::addColumn<QStringList>("codes");

    QTest::newRow("as written") << oneBase("G: { MaxLevel: 4 Exp: [ 5, 6, 7 ] }") << 175 << "4 5 6 7" << QStringList{};
    QTest::newRow("too many values are cut") << oneBase("G: { MaxLevel: 3 Exp: [ 5, 6, 7, 8 ] }") << 175 << "3 5 6"
                                             << QStringList{QStringLiteral("valores_de_mas")};
    QTest::newRow("too few repeat the last") << oneBase("G: { MaxLevel: 5 Exp: [ 5, 6 ] }") << 175 << "5 5 6 6 6"
                                             << QStringList{QStringLiteral("valores_de_menos")};
    QTest::newRow("none at all costs 0") << oneBase("G: { MaxLevel: 3 Exp: [ ] }") << 175 << "3 0 0"
                                         << QStringList{QStringLiteral("valores_de_menos")};
    QTest::newRow("maximum 1 holds nothing") << oneBase("G: { MaxLevel: 1 Exp: [ ] }") << 175 << "1" << QStringList{};
    QTest::newRow("missing maximum is MAX_LEVEL")
        << oneBase("G: { Exp: [ 5, 6 ] }") << 4 << "4 5 6 6"
        << QStringList{QStringLiteral("maximo_recortado"), QStringLiteral("valores_de_menos")};
    QTest::newRow("maximum 0") << oneBase("G: { MaxLevel: 0 Exp: [ 5, 6, 7 ] }") << 4 << "4 5 6 7"
                               << QStringList{QStringLiteral("maximo_recortado")};
    QTest::newRow("above MAX_LEVEL, cut without a second note")
        << oneBase("G: { MaxLevel: 9 Exp: [ 1, 2, 3, 4, 5, 6, 7, 8 ] }") << 3 << "3 1 2"
        << QStringList{QStringLiteral("maximo_recortado")};
    QTest::newRow("a maximum with L that fits")
        << oneBase("G: { MaxLevel: 3L Exp: [ 5, 6 ] }") << 175 << "3 5 6" << QStringList{};
    QTest::newRow("a maximum as text") << oneBase("G: { MaxLevel: \"3\" Exp: [ 5, 6 ] }") << 3 << "3 5 6"
                                       << QStringList{QStringLiteral("maximo_recortado")};
    QTest::newRow("the first of two maxima")
        << oneBase("G: { MaxLevel: 3 MaxLevel: 5 Exp: [ 5, 6 ] }") << 175 << "3 5 6" << QStringList{};
    // Plain values are 32-bit: past 2,147,483,647 they wrap, and negative
    // ones are taken as unsigned experience.
    QTest::newRow("a plain value wraps") << oneBase("G: { MaxLevel: 3 Exp: [ 10, 2426009129 ] }") << 175
                                         << "3 10 18446744071840593449"
                                         << QStringList{QStringLiteral("valor_desbordado")};
    QTest::newRow("with L it does not") << oneBase("G: { MaxLevel: 3 Exp: [ 10L, 2426009129L ] }") << 175
                                        << "3 10 2426009129" << QStringList{};
    QTest::newRow("negative") << oneBase("G: { MaxLevel: 2 Exp: [ -1 ] }") << 175 << "2 18446744073709551615"
                              << QStringList{QStringLiteral("valor_desbordado")};
    QTest::newRow("Exp as a list is no Exp")
        << oneBase("G: { MaxLevel: 2 Exp: ( 1 ) }") << 175 << "-" << QStringList{QStringLiteral("sin_exp")};
    QTest::newRow("exp in another case is no Exp")
        << oneBase("G: { MaxLevel: 2 exp: [ 1 ] }") << 175 << "-" << QStringList{QStringLiteral("sin_exp")};
    QTest::newRow("a group that is no group")
        << oneBase("G: 5") << 175 << "-" << QStringList{QStringLiteral("sin_exp")};
    QTest::newRow("the first of two groups")
        << oneBase("G: { MaxLevel: 2 Exp: [ 1 ] }\nG: { MaxLevel: 3 Exp: [ 8, 9 ] }") << 175 << "2 1"
        << QStringList{QStringLiteral("grupo_repetido")};
    QTest::newRow("no job root") << QByteArray("base_exp_group_db: { G: { MaxLevel: 2 Exp: [ 1 ] } }") << 175 << "2 1"
                                 << QStringList{QStringLiteral("sin_raiz")};
    QTest::newRow("no base root: nothing loads") << QByteArray("job_exp_group_db: { G: { MaxLevel: 2 Exp: [ 1 ] } }")
                                                 << 175 << "-" << QStringList{QStringLiteral("sin_raiz")};
}

void TestExpGroups::loadsGroupsAsTheServer()
{
    QFETCH(QByteArray, text);
    QFETCH(int, maxLevel);
    QFETCH(QString, group);
    QFETCH(QStringList, codes);
    ExpGroupServer server(maxLevel);
    QVERIFY(!server.loadGroups({QStringLiteral("exp_group_db.conf"), text.toStdString()}));
    QCOMPARE(loaded(server, "G"), group);
    QCOMPARE(codesOf(server), codes);
}

void TestExpGroups::refusesWholeFiles_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("place");
    QTest::addColumn<bool>("bound");
    QTest::newRow("mixed L") << oneBase("G: { MaxLevel: 3\n Exp: [ 10, 2426009129L ] }") << "mezcla_l"
                             << "exp_group_db.conf:3:13" << false;
    QTest::newRow("a syntax error") << oneBase("G: { MaxLevel: 3 Exp: [ 10 20 ] }") << "no_se_carga"
                                    << "exp_group_db.conf:2:28" << false;
    QByteArray many = "base_exp_group_db: { G: { MaxLevel: 3 Exp: [ ";
    for (size_t i = 0; i <= kMaxConfigNodes; ++i)
        many += "1,";
    QTest::newRow("past the bound on values") << many + "] } }"
                                              << "no_se_carga"
                                              << "" << true;
}

void TestExpGroups::refusesWholeFiles()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, code);
    QFETCH(QString, place);
    QFETCH(bool, bound);
    ExpGroupServer server;
    const std::optional<GroupRefusal> refusal =
        server.loadGroups({QStringLiteral("exp_group_db.conf"), text.toStdString()});
    QVERIFY(refusal);
    QCOMPARE(QString::fromLatin1(refusal->code), code);
    QCOMPARE(refusal->bound, bound);
    if (!place.isEmpty())
        QCOMPARE(server.placeText(refusal->place), place);
    // Nothing of a refused file is used.
    QVERIFY(server.groups().empty());
}

void TestExpGroups::linksJobsAsTheServer()
{
    ExpGroupServer server;
    QVERIFY(!server.loadGroups({QStringLiteral("g.conf"), shippedLikeGroups().toStdString()}));
    QVERIFY(!server.loadLinks({QStringLiteral("j.conf"), shippedLikeLinks().toStdString()}));
    QVERIFY2(server.notes().empty(), qPrintable(codesOf(server).join(u' ')));
    QCOMPARE(server.jobs().size(), size_t(128)); // Baby_Novice twice is one job
    // Each representative on the groups its columns read.
    for (int c = 1; c <= 7; ++c) {
        const LinkedJob *job = server.job(QString::fromLatin1(groupRepresentative(c)));
        QVERIFY(job);
        QCOMPARE(QString::fromStdString(server.groups()[size_t(job->base)].name),
                 QString::fromLatin1(shippedGroupOf(c)));
        QCOMPARE(QString::fromStdString(server.groups()[size_t(job->job)].name),
                 QString::fromLatin1(shippedGroupOf(c + 7)));
    }
    // Job names without case; the homunculus groups count as used.
    QVERIFY(server.job(u"lord_KNIGHT"));
    const ExpGroup &first = server.groups()[size_t(server.findGroup(true, "FirstClasses"))];
    QVERIFY(first.users.contains(QStringLiteral("Novice")));
    QVERIFY(first.users.contains(QStringLiteral("Gunslinger")));
    // Linked as shipped, without a job_db.conf: the seven alone.
    ExpGroupServer shipped;
    QVERIFY(!shipped.loadGroups({QStringLiteral("g.conf"), shippedLikeGroups().toStdString()}));
    shipped.linkAsShipped();
    QVERIFY(!shipped.linksLoaded());
    QCOMPARE(shipped.jobs().size(), size_t(7));
    QCOMPARE(shipped.job(u"Super_Novice")->job, shipped.findGroup(false, "SuperNovice"));
}

void TestExpGroups::linkFindings_data()
{
    QTest::addColumn<QByteArray>("links"); // appended to every job linked as shipped
    QTest::addColumn<QString>("job");
    QTest::addColumn<QString>("groups"); // "base job" as linked; "-" for none
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("a later entry wins") << linkEntry("Knight", "TranscendedClasses", "FirstClasses") << "Knight"
                                        << "TranscendedClasses FirstClasses" << QStringList{};
    QTest::newRow("group names with case") << linkEntry("knight", "firstclasses", "SecondClasses") << "Knight"
                                           << "- SecondClasses" << QStringList{QStringLiteral("grupo_desconocido")};
    QTest::newRow("a missing base group skips the rest")
        << QByteArray("Knight: { JobExpGroup: \"Novice\" }\n") << "Knight"
        << "FirstClasses SecondClasses" << QStringList{QStringLiteral("sin_grupo")};
    QTest::newRow("a missing job group after the base")
        << QByteArray("Knight: { BaseExpGroup: \"ThirdClasses\" }\n") << "Knight"
        << "ThirdClasses SecondClasses" << QStringList{QStringLiteral("sin_grupo")};
    QTest::newRow("a link that is no string")
        << QByteArray("Knight: { BaseExpGroup: 5 }\n") << "Knight"
        << "FirstClasses SecondClasses" << QStringList{QStringLiteral("sin_grupo")};
    QTest::newRow("an unknown job") << QByteArray("Knight2: { BaseExpGroup: \"Novice\" }\n") << "Knight"
                                    << "FirstClasses SecondClasses"
                                    << QStringList{QStringLiteral("trabajo_desconocido")};
    QTest::newRow("a long name finds nothing")
        << linkEntry("Knight", "FirstClasses_And_A_Name_Far_Too_Long", "SecondClasses") << "Knight"
        << "- SecondClasses" << QStringList{QStringLiteral("grupo_desconocido")};
    QTest::newRow("a group no job uses") << linkEntry("Rune_Knight", "ThirdClasses", "Novice") << "Rune_Knight"
                                         << "ThirdClasses Novice" << QStringList{QStringLiteral("grupo_sin_uso")};
}

void TestExpGroups::linkFindings()
{
    QFETCH(QByteArray, links);
    QFETCH(QString, job);
    QFETCH(QString, groups);
    QFETCH(QStringList, codes);
    // That row moves every third job's job group to Novice: job ThirdClasses is left unused.
    QByteArray base = shippedLikeLinks();
    if (links.startsWith("Rune_Knight"))
        base.replace("ThirdClasses\"\n\tJobExpGroup: \"ThirdClasses", "ThirdClasses\"\n\tJobExpGroup: \"Novice");
    ExpGroupServer server;
    QVERIFY(!server.loadGroups({QStringLiteral("g.conf"), shippedLikeGroups().toStdString()}));
    QVERIFY(!server.loadLinks({QStringLiteral("j.conf"), (base + links).toStdString()}));
    const LinkedJob *linked = server.job(job);
    QVERIFY(linked);
    const auto name = [&](int index) {
        return index < 0 ? QStringLiteral("-") : QString::fromStdString(server.groups()[size_t(index)].name);
    };
    QCOMPARE(name(linked->base) + u' ' + name(linked->job), groups);
    QCOMPARE(codesOf(server), codes);
    for (const GroupNote &note : server.notes())
        QVERIFY2(server.placeText(note.place).startsWith(QStringLiteral("j.conf:"))
                     || server.placeText(note.place).startsWith(QStringLiteral("g.conf:")),
                 qPrintable(server.placeText(note.place)));
}

void TestExpGroups::recognisesGroupDatabases_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("recognised");
    QTest::newRow("after comments") << QByteArray("//= x\n/* y\n */\n# z\nbase_exp_group_db: {") << true;
    QTest::newRow("job root first") << QByteArray("job_exp_group_db = {") << true;
    QTest::newRow("a job_db.conf") << QByteArray("Novice: {\n\tBaseExpGroup: \"x\"\n}") << false;
    QTest::newRow("a table") << QByteArray("//Archivo\r\n1,2,3\r\n") << false;
    QTest::newRow("a longer name") << QByteArray("base_exp_group_dbx: {") << false;
    QTest::newRow("a comment left open") << QByteArray("/* base_exp_group_db: {") << false;
}

void TestExpGroups::recognisesGroupDatabases()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, recognised);
    QCOMPARE(looksLikeExpGroupDatabase(text.toStdString()), recognised);
}

QTEST_APPLESS_MAIN(TestExpGroups)
#include "tst_exp_groups.moc"
