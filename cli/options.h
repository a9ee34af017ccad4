// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// The tool's one option parser, by GNU conventions: "--opción valor" and
// "--opción=valor"; "--" ends the options (what follows is operands, even
// "-x.txt" or "--"); "-" alone is an operand (standard input or output); an
// option given twice, an unknown option, a value not allowed and a surplus
// operand are refused, each named; a value from a list comes out as the list
// spells it, whatever its case; so are too few operands and standard
// input named twice, as the command's operand rule says.

#include <QHash>
#include <QString>
#include <QStringList>

#include <span>
#include <vector>

// One option of a command, as the table of commands gives it.
struct OptionSpec
{
    QString name;        // "--tipo", "-o"
    QString valueName;   // "N", "SALIDA"; empty for an option without a value
    QStringList allowed; // the values it takes; empty for any
    QString help;        // one line, for --help and the completion
};

// What a command was given, once parsed.
struct ParsedArguments
{
    QStringList operands;
    QHash<QString, QString> values; // by option name; "" for an option without a value

    bool has(const QString &option) const { return values.contains(option); }
    QString value(const QString &option, const QString &otherwise = {}) const
    {
        return values.value(option, otherwise);
    }
};

// How many operands a command takes and what they are.
struct OperandRule
{
    qsizetype min = 0;
    qsizetype max = 0;
    const char *needs = "";         // "dos archivos": what a message says the command needs
    bool standardInputOnce = false; // every operand is read: "-" at most once
};

// Parses `args` for the command `command` against `options` and `operands`.
// False, with the message (without the program's name), on any refusal.
bool parseArguments(const QString &command, const QStringList &args, std::span<const OptionSpec> options,
                    const OperandRule &operands, ParsedArguments *parsed, QString *error);

// "a, b o c": a list as a message gives it.
QString spanishList(const QStringList &items);
