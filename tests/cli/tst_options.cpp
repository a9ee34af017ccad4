// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// The tool's option parser, by GNU conventions: what it takes, what it
// refuses, and the message it gives.
#include "cli/options.h"

#include <QTest>

class TestOptions : public QObject
{
    Q_OBJECT

private slots:
    void parses_data();
    void parses();
    void spanishLists();
};

using namespace Qt::StringLiterals;

namespace {

const std::vector<OptionSpec> kOptions = {
    {QStringLiteral("-o"), QStringLiteral("SALIDA"), {}, {}},
    {QStringLiteral("--tipo"), QStringLiteral("TIPO"), {QStringLiteral("int32"), QStringLiteral("int64")}, {}},
    {QStringLiteral("--json"), {}, {}, {}},
};

} // namespace

void TestOptions::parses_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("parsed"); // "operands | option=value ..." or "! message"
    const auto row = [](const char *name, const QStringList &args, const QString &parsed) {
        QTest::newRow(name) << args << parsed;
    };
    row("too few operands", {u"--json"_s}, u"! La orden prueba necesita un archivo."_s);
    row("standard input twice", {u"-"_s, u"-"_s}, u"! Solo uno de los archivos puede ser la entrada estándar (-)."_s);
    row("operands and options", {u"a.txt"_s, u"-o"_s, u"b.txt"_s, u"--json"_s}, u"a.txt | --json= -o=b.txt"_s);
    row("--opción=valor, a listed value in any case", {u"--tipo=INT64"_s, u"a"_s}, u"a | --tipo=int64"_s);
    row("a value that looks like an option", {u"-o"_s, u"--json"_s, u"a"_s}, u"a | -o=--json"_s);
    row("- is an operand", {u"-"_s, u"b"_s}, u"-,b | "_s);
    row("-- ends the options", {u"--"_s, u"-x.txt"_s, u"--"_s}, u"-x.txt,-- | "_s);
    row("an unknown option", {u"--tip"_s}, u"! Opción desconocida: --tip (vea vandrel-exp --help)."_s);
    row("unknown after =", {u"--nada=1"_s}, u"! Opción desconocida: --nada (vea vandrel-exp --help)."_s);
    row("given twice", {u"--json"_s, u"--json"_s}, u"! La opción --json se ha dado dos veces."_s);
    row("a value it does not take", {u"--json=sí"_s}, u"! La opción --json no lleva valor."_s);
    row("a missing value", {u"a"_s, u"-o"_s}, u"! Falta el valor de -o."_s);
    row("a value not allowed", {u"a"_s, u"--tipo"_s, u"int8"_s}, u"! --tipo admite int32 o int64."_s);
    row("a surplus operand", {u"a"_s, u"b"_s, u"c"_s}, u"! Sobra el argumento: c (vea vandrel-exp --help)."_s);
}

void TestOptions::parses()
{
    QFETCH(QStringList, args);
    QFETCH(QString, parsed);
    ParsedArguments result;
    QString error;
    if (!parseArguments(u"prueba"_s, args, kOptions, {1, 2, "un archivo", true}, &result, &error)) {
        QCOMPARE(u"! "_s + error, parsed);
        return;
    }
    QStringList values;
    for (auto it = result.values.cbegin(); it != result.values.cend(); ++it)
        values << it.key() + u'=' + it.value();
    values.sort();
    QCOMPARE(result.operands.join(u',') + u" | "_s + values.join(u' '), parsed);
}

void TestOptions::spanishLists()
{
    QCOMPARE(spanishList({}), QString());
    QCOMPARE(spanishList({u"a"_s}), u"a"_s);
    QCOMPARE(spanishList({u"a"_s, u"b"_s, u"c"_s}), u"a, b o c"_s);
}

QTEST_APPLESS_MAIN(TestOptions)
#include "tst_options.moc"
