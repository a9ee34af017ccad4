// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// One table of parameter texts, run against the parser itself, the
// generation dialog's accept step and the companion tool's options, so that
// all three accept and refuse exactly the same texts.

#include <QString>
#include <QTest>

#include <optional>

// Columns "text", "accepted" and, when accepted, "value".
inline void addParameterValueRows()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("value");
    auto accept = [](const char *name, const QString &text, int value) {
        QTest::newRow(name) << text << true << value;
    };
    auto refuse = [](const char *name, const QString &text) { QTest::newRow(name) << text << false << 0; };
    accept("digits", QStringLiteral("5"), 5);
    accept("zero", QStringLiteral("0"), 0);
    accept("leading zeros", QStringLiteral("0007"), 7);
    accept("negative", QStringLiteral("-12"), -12);
    accept("minus zero", QStringLiteral("-0"), 0);
    accept("largest", QStringLiteral("32767"), 32767);
    accept("smallest", QStringLiteral("-32768"), -32768);
    refuse("plus sign", QStringLiteral("+5"));
    refuse("leading blank", QStringLiteral(" 5"));
    refuse("trailing blank", QStringLiteral("5 "));
    refuse("empty", QString());
    refuse("sign alone", QStringLiteral("-"));
    refuse("double sign", QStringLiteral("--5"));
    refuse("one past the largest", QStringLiteral("32768"));
    refuse("one past the smallest", QStringLiteral("-32769"));
    refuse("far past the range", QStringLiteral("99999999999999999999"));
    refuse("decimal point", QStringLiteral("1.5"));
    refuse("hexadecimal", QStringLiteral("0x10"));
    refuse("letters", QStringLiteral("diez"));
    refuse("Arabic-Indic digit", QStringLiteral("٣"));
    refuse("full-width digit", QStringLiteral("５"));
}
