// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// The YAML tree the job databases are read into: what it refuses because
// the servers' reader would read it otherwise, its bound, its places.
#include "server/core/yaml_tree.h"

#include <QTest>

class TestYamlTree : public QObject
{
    Q_OBJECT

private slots:
    void refusesWhatServersReadOtherwise_data();
    void refusesWhatServersReadOtherwise();
    void nodesAreBounded();
    void placesAndStyles();
};

void TestYamlTree::refusesWhatServersReadOtherwise_data()
{
    QTest::addColumn<QByteArray>("yaml");
    QTest::addColumn<QString>("refusal"); // a word of the message, with its line and column; empty: read
    QTest::newRow("plain map") << QByteArray("a: 1\nb:\n  - c: 2\n") << QString();
    QTest::newRow("anchor") << QByteArray("a: &x 1\nb: 2\n") << QStringLiteral("1:4 ancla");
    QTest::newRow("alias") << QByteArray("a: 1\nb: *x\n") << QStringLiteral("2:4 alias");
    QTest::newRow("merge key of an alias") << QByteArray("a:\n  <<: *base\n") << QStringLiteral("2:7 alias");
    QTest::newRow("second document") << QByteArray("a: 1\n---\nb: 2\n") << QStringLiteral("3:1 segundo documento");
    QTest::newRow("empty second document") << QByteArray("a: 1\n---\n") << QStringLiteral("segundo documento");
    QTest::newRow("key twice") << QByteArray("a: 1\nb: 2\na: 3\n") << QStringLiteral("3:1 dos veces");
    QTest::newRow("key twice, deeper") << QByteArray("a:\n  - x: 1\n    x: 2\n") << QStringLiteral("3:5 dos veces");
    // A job named twice in Jobs gets the entry twice: no ambiguity.
    QTest::newRow("job twice in Jobs") << QByteArray("- Jobs:\n    Mage: true\n    Mage: true\n") << QString();
    QTest::newRow("not YAML") << QByteArray("a: [1,\n b: }\n") << QStringLiteral("2:5 YAML válido");
    QTest::newRow("deep nesting") << QByteArray(100000, '[') << QStringLiteral("YAML válido");
}

void TestYamlTree::refusesWhatServersReadOtherwise()
{
    QFETCH(QByteArray, yaml);
    QFETCH(QString, refusal);
    YamlTree tree;
    const std::optional<YamlFailure> failure = tree.parse(yaml.toStdString(), 1000);
    QCOMPARE(failure.has_value(), !refusal.isEmpty());
    if (!failure)
        return;
    QVERIFY(!failure->bound);
    const QStringList parts = refusal.split(u' ');
    if (parts[0].contains(u':')) {
        QCOMPARE(QStringLiteral("%1:%2").arg(failure->line).arg(failure->column), parts[0]);
        QVERIFY2(failure->message.contains(parts.mid(1).join(u' ')), qPrintable(failure->message));
    } else {
        QVERIFY2(failure->message.contains(refusal), qPrintable(failure->message));
    }
}

void TestYamlTree::nodesAreBounded()
{
    // Each item is a map, two keys and two values: five nodes, and the root
    // sequence one more.
    std::string items;
    for (int i = 0; i < 100; ++i)
        items += "- {Level: 1, Exp: 2}\n";
    YamlTree tree;
    QVERIFY(!tree.parse(items, 501 + 1));
    const std::optional<YamlFailure> failure = tree.parse(items, 500);
    QVERIFY(failure && failure->bound);
    QVERIFY(failure->message.contains(QStringLiteral("500 elementos")));
}

void TestYamlTree::placesAndStyles()
{
    YamlTree tree;
    QVERIFY(!tree.parse("# comment\nHeader:\n  Type: JOB_STATS\nBody: [ ]\nJobs: {a: 1}\n", 100));
    const YamlNode &root = *tree.root();
    QCOMPARE(root.kind, YamlNode::Map);
    const YamlNode *type = tree.value(*tree.value(root, "Header"), "Type");
    QVERIFY(type);
    QCOMPARE(type->text, std::string("JOB_STATS"));
    QCOMPARE(type->line, 3);
    QCOMPARE(type->column, 9);
    QCOMPARE(tree.key(root, "Body")->line, 4);
    QVERIFY(tree.value(root, "Body")->flow);
    QVERIFY(tree.value(root, "Jobs")->flow);
    QVERIFY(!tree.value(*tree.value(root, "Header"), "Type")->flow);
    QVERIFY(!tree.value(root, "Footer"));
    // Comments alone are no document.
    QVERIFY(!tree.parse("# only\n", 100));
    QVERIFY(!tree.root());
}

QTEST_GUILESS_MAIN(TestYamlTree)
#include "tst_yaml_tree.moc"
