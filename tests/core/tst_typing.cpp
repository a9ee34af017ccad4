// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// The typing rule shared by the grid and the generation dialog's boxes.
#include "core/typing.h"

#include <QTest>

class TestTyping : public QObject
{
    Q_OBJECT

private slots:
    void typingRule_data();
    void typingRule();
};

void TestTyping::typingRule_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("digit into an empty cell") << QByteArray() << QStringLiteral("1") << true << QByteArray("1");
    QTest::newRow("digit appended at the end")
        << QByteArray("123") << QStringLiteral("4") << true << QByteArray("1234");
    QTest::newRow("leading zeros stay") << QByteArray("00") << QStringLiteral("7") << true << QByteArray("007");
    QTest::newRow("no length limit") << QByteArray(300, '9') << QStringLiteral("0") << true
                                     << QByteArray(300, '9') + '0';
    QTest::newRow("backspace drops the last")
        << QByteArray("1234") << QStringLiteral("\b") << true << QByteArray("123");
    QTest::newRow("backspace on an empty cell") << QByteArray() << QStringLiteral("\b") << true << QByteArray();
    QTest::newRow("carriage return changes nothing")
        << QByteArray("55") << QStringLiteral("\r") << true << QByteArray("55");
    QTest::newRow("letter refused") << QByteArray("5") << QStringLiteral("a") << false << QByteArray();
    QTest::newRow("minus refused") << QByteArray("5") << QStringLiteral("-") << false << QByteArray();
    QTest::newRow("blank refused") << QByteArray("5") << QStringLiteral(" ") << false << QByteArray();
    QTest::newRow("comma refused") << QByteArray("5") << QStringLiteral(",") << false << QByteArray();
    QTest::newRow("decimal point refused") << QByteArray("5") << QStringLiteral(".") << false << QByteArray();
    QTest::newRow("line feed refused") << QByteArray("5") << QStringLiteral("\n") << false << QByteArray();
    QTest::newRow("full-width digit refused") << QByteArray("5") << QStringLiteral("５") << false << QByteArray();
    QTest::newRow("Arabic-Indic digit refused") << QByteArray("5") << QStringLiteral("٣") << false << QByteArray();
    QTest::newRow("superscript two refused") << QByteArray("5") << QStringLiteral("²") << false << QByteArray();
}

void TestTyping::typingRule()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(QByteArray, after);
    QCOMPARE(isAcceptedCharacter(typed.at(0)), accepted);
    const std::optional<QByteArray> result = textAfterTyping(before, typed.at(0));
    QCOMPARE(result.has_value(), accepted);
    if (accepted)
        QCOMPARE(*result, after);
}

QTEST_GUILESS_MAIN(TestTyping)
#include "tst_typing.moc"
