// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// The libconfig reader: what the servers' copy of the library reads, value
// by value, and what it refuses, with the place.
#include "server/core/config_tree.h"

#include <QTest>

class TestConfigTree : public QObject
{
    Q_OBJECT

private slots:
    void readsValuesAsTheServer_data();
    void readsValuesAsTheServer();
    void refuses_data();
    void refuses();
    void keepsEveryValuesBytes();
    void repeatedSettingsAreKept();
    void boundsNodesAndDepth();
};

namespace {

// An array's elements as "kind:value", kinds i (32-bit), L (64-bit), f, b, s.
QString elementsOf(const ConfigTree &tree, const ConfigNode &array)
{
    QStringList out;
    for (const uint32_t index : array.children) {
        const ConfigNode &n = tree.node(index);
        switch (n.kind) {
        case ConfigNode::Integer:
            out << QStringLiteral("i:%1%2").arg(n.integer).arg(n.wrapped ? QStringLiteral("!") : QString());
            break;
        case ConfigNode::Integer64:
            out << QStringLiteral("L:%1").arg(n.integer);
            break;
        case ConfigNode::Float:
            out << QStringLiteral("f");
            break;
        case ConfigNode::Boolean:
            out << QStringLiteral("b:%1").arg(n.integer);
            break;
        case ConfigNode::String:
            out << QStringLiteral("s:%1").arg(QString::fromStdString(n.text));
            break;
        default:
            out << QStringLiteral("?");
        }
    }
    return out.join(u' ');
}

} // namespace

void TestConfigTree::readsValuesAsTheServer_data()
{
    QTest::addColumn<QByteArray>("text");  // holds one array setting "Exp"
    QTest::addColumn<QString>("elements"); // as elementsOf gives them; "!" for a wrapped value
    // The bundled scanner's integers: 32-bit unless L, wrapping silently.
    QTest::newRow("plain past int32 wraps") << QByteArray("Exp: [ 10, 2426009129 ]") << "i:10 i:-1868958167!";
    QTest::newRow("far past int32 wraps") << QByteArray("Exp: [ 10, 430803653341 ]") << "i:10 i:1306923741!";
    QTest::newRow("every value with L") << QByteArray("Exp: [ 10L, 2426009129L ]") << "L:10 L:2426009129";
    QTest::newRow("LL is 64-bit too") << QByteArray("Exp: [ 5LL ]") << "L:5";
    QTest::newRow("int32's largest") << QByteArray("Exp: [ 2147483647, -2147483648 ]") << "i:2147483647 i:-2147483648";
    QTest::newRow("a plus sign") << QByteArray("Exp: [ +5, -5 ]") << "i:5 i:-5";
    QTest::newRow("separators") << QByteArray("Exp: [ 1_000L, 2_147_483_648L ]") << "L:1000 L:2147483648";
    QTest::newRow("separators, plain") << QByteArray("Exp: [ 1_000, 1__0_ ]") << "i:1000 i:10";
    QTest::newRow("bases") << QByteArray("Exp: [ 0x1F, 0b101, 0o17, 0XF_F ]") << "i:31 i:5 i:15 i:255";
    QTest::newRow("bases with L") << QByteArray("Exp: [ 0XffL, 0b1L, 0o7LL ]") << "L:255 L:1 L:7";
    QTest::newRow("hexadecimal wraps too") << QByteArray("Exp: [ 0xFFFFFFFF ]") << "i:-1!";
    QTest::newRow("a trailing comma") << QByteArray("Exp: [ 1, 2, ]") << "i:1 i:2";
    QTest::newRow("empty") << QByteArray("Exp: [ ]") << "";
    QTest::newRow("the three comments") << QByteArray("# a\n// b\n/* c\n d */ Exp: [ 1, # x\n 2 // y\n , /* z */ 3 ]")
                                        << "i:1 i:2 i:3";
    QTest::newRow("equals and semicolon") << QByteArray("Exp = [ 1 ];") << "i:1";
    QTest::newRow("booleans in any case") << QByteArray("Exp: [ TRUE, false ]") << "b:1 b:0";
    QTest::newRow("floats") << QByteArray("Exp: [ 1.5, .5, 1e3 ]") << "f f f";
    QTest::newRow("strings joined and escaped")
        << QByteArray("Exp: [ \"a\" \"b\", \"q\\\"\\x41\\n\" ]") << "s:ab s:q\"A\n";
}

void TestConfigTree::readsValuesAsTheServer()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, elements);
    ConfigTree tree;
    const std::optional<ConfigFailure> failure = tree.parse(text.toStdString(), 1000);
    QVERIFY2(!failure, failure ? qPrintable(failure->message) : "");
    const ConfigNode *exp = tree.member(tree.root(), "Exp");
    QVERIFY(exp);
    QCOMPARE(exp->kind, ConfigNode::Array);
    QCOMPARE(elementsOf(tree, *exp), elements);
}

void TestConfigTree::refuses_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("mixed");
    // One array mixing L and plain values fails the whole file.
    QTest::newRow("L and plain mixed") << QByteArray("A: { Exp: [ 10,\n 2426009129L ] }") << 2 << 2 << true;
    QTest::newRow("plain after L") << QByteArray("Exp: [ 10L, 5 ]") << 1 << 13 << true;
    QTest::newRow("a string among numbers") << QByteArray("Exp: [ 10, \"5\" ]") << 1 << 12 << false;
    QTest::newRow("a group in an array") << QByteArray("Exp: [ { } ]") << 1 << 8 << false;
    QTest::newRow("past 64 bits") << QByteArray("Exp: [ 9223372036854775808L ]") << 1 << 8 << false;
    QTest::newRow("far past 64 bits") << QByteArray("Exp: [ 99999999999999999999 ]") << 1 << 8 << false;
    QTest::newRow("a comment left open") << QByteArray("A: 1\n/* no\n") << 2 << 1 << false;
    QTest::newRow("a string left open") << QByteArray("A: \"x") << 1 << 4 << false;
    QTest::newRow("a group left open") << QByteArray("A: {\n B: 1\n") << 3 << 1 << false;
    QTest::newRow("no separator") << QByteArray("A 1") << 1 << 3 << false;
    QTest::newRow("two values without comma") << QByteArray("A: [ 1 2 ]") << 1 << 8 << false;
    QTest::newRow("an include") << QByteArray("@include \"x.conf\"") << 1 << 1 << false;
    QTest::newRow("a stray brace") << QByteArray("A: 1 }") << 1 << 6 << false;
    QTest::newRow("a name with a plus") << QByteArray("a+b: 1") << 1 << 1 << false;
}

void TestConfigTree::refuses()
{
    QFETCH(QByteArray, text);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(bool, mixed);
    ConfigTree tree;
    const std::optional<ConfigFailure> failure = tree.parse(text.toStdString(), 1000);
    QVERIFY(failure);
    QVERIFY(!failure->message.isEmpty());
    const auto [atLine, atColumn] = tree.placeOf(failure->at);
    QCOMPARE(atLine, line);
    QCOMPARE(atColumn, column);
    QCOMPARE(failure->mixedIntegers, mixed);
    QVERIFY(!failure->bound);
}

void TestConfigTree::keepsEveryValuesBytes()
{
    // A writer replaces a value by its bytes: they must be exactly the value's.
    const std::string text = "base_exp_group_db: {\r\n\tFirst: {\r\n\t\tMaxLevel: 99 // x\r\n\t\tExp: [ 1,\r\n"
                             "\t\t\t2 ]\r\n\t}\r\n}\r\nN: \"a\" \"b\";\r\n";
    ConfigTree tree;
    QVERIFY(!tree.parse(text, 100));
    const ConfigNode *root = tree.member(tree.root(), "base_exp_group_db");
    QVERIFY(root);
    const ConfigNode *group = tree.member(*root, "First");
    QVERIFY(group);
    const auto bytes = [&](const ConfigNode &n) { return text.substr(n.begin, n.end - n.begin); };
    QCOMPARE(bytes(*tree.member(*group, "MaxLevel")), std::string("99"));
    QCOMPARE(bytes(*tree.member(*group, "Exp")), std::string("[ 1,\r\n\t\t\t2 ]"));
    QCOMPARE(text.substr(tree.member(*group, "Exp")->nameAt, 3), std::string("Exp"));
    QCOMPARE(bytes(*group).front(), '{');
    QCOMPARE(bytes(*group).back(), '}');
    QCOMPARE(bytes(*tree.member(tree.root(), "N")), std::string("\"a\" \"b\""));
    const auto [line, column] = tree.placeOf(tree.member(*group, "Exp")->nameAt);
    QCOMPARE(line, 4);
    QCOMPARE(column, 3);
}

void TestConfigTree::repeatedSettingsAreKept()
{
    // The servers' copy has the duplicate check switched off: both are
    // stored, and a lookup takes the first. Names are matched with case.
    ConfigTree tree;
    QVERIFY(
        !tree.parse("Baby_Novice: { A: 1 }\nBaby_Novice: { A: 2 }\nG: { MaxLevel: 3 MaxLevel: 4 maxlevel: 5 }", 100));
    QCOMPARE(tree.root().children.size(), size_t(3));
    QCOMPARE(tree.member(*tree.member(tree.root(), "Baby_Novice"), "A")->integer, 1);
    const ConfigNode *g = tree.member(tree.root(), "G");
    QCOMPARE(tree.member(*g, "MaxLevel")->integer, 3);
    QCOMPARE(tree.member(*g, "maxlevel")->integer, 5);
    QVERIFY(!tree.member(*g, "MAXLEVEL"));
    // A name may begin with a digit; a number alone is a value.
    QVERIFY(!tree.parse("2ndClasses: { x: 1 }", 100));
    QVERIFY(tree.member(tree.root(), "2ndClasses"));
}

void TestConfigTree::boundsNodesAndDepth()
{
    ConfigTree tree;
    std::optional<ConfigFailure> failure = tree.parse("Exp: [ 1, 2, 3, 4, 5 ]", 4);
    QVERIFY(failure && failure->bound);
    std::string deep;
    deep = "a: ";
    for (int i = 0; i <= kMaxConfigDepth; ++i)
        deep += "( ";
    failure = tree.parse(deep, 100000);
    QVERIFY(failure && failure->bound);
    // One level less reads (lists of lists are values).
    std::string fits = "a: ";
    for (int i = 1; i < kMaxConfigDepth; ++i)
        fits += "( ";
    for (int i = 1; i < kMaxConfigDepth; ++i)
        fits += ") ";
    QVERIFY(!tree.parse(fits, 100000));
}

QTEST_APPLESS_MAIN(TestConfigTree)
#include "tst_config_tree.moc"
