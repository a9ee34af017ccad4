// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/options.h"

#include <algorithm>

namespace {

QString unknownOption(const QString &argument)
{
    return QStringLiteral("Opción desconocida: %1 (vea vandrel-exp --help).").arg(argument);
}

} // namespace

QString spanishList(const QStringList &items)
{
    if (items.size() < 2)
        return items.join(QString());
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" o ") + items.last();
}

bool parseArguments(const QString &command, const QStringList &args, std::span<const OptionSpec> options,
                    const OperandRule &operands, ParsedArguments *parsed, QString *error)
{
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &argument = args[i];
        const bool looksLikeOption = argument.startsWith(u'-') && argument != QStringLiteral("-");
        if (optionsEnded || !looksLikeOption) {
            if (parsed->operands.size() == operands.max) {
                *error = QStringLiteral("Sobra el argumento: %1 (vea vandrel-exp --help).").arg(argument);
                return false;
            }
            parsed->operands << argument;
            continue;
        }
        if (argument == QStringLiteral("--")) {
            optionsEnded = true;
            continue;
        }
        // "--opción=valor" for long options; a short one takes its value apart.
        const qsizetype equals = argument.startsWith(QStringLiteral("--")) ? argument.indexOf(u'=') : -1;
        const QString name = equals < 0 ? argument : argument.left(equals);
        const auto known =
            std::find_if(options.begin(), options.end(), [&](const OptionSpec &option) { return option.name == name; });
        if (known == options.end()) {
            *error = unknownOption(name);
            return false;
        }
        if (parsed->values.contains(name)) {
            *error = QStringLiteral("La opción %1 se ha dado dos veces.").arg(name);
            return false;
        }
        QString value;
        if (known->valueName.isEmpty()) {
            if (equals >= 0) {
                *error = QStringLiteral("La opción %1 no lleva valor.").arg(name);
                return false;
            }
        } else if (equals >= 0) {
            value = argument.mid(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            *error = QStringLiteral("Falta el valor de %1.").arg(name);
            return false;
        }
        if (!known->allowed.isEmpty()) {
            const auto allowed = std::find_if(known->allowed.begin(), known->allowed.end(), [&](const QString &word) {
                return word.compare(value, Qt::CaseInsensitive) == 0;
            });
            if (allowed == known->allowed.end()) {
                *error = QStringLiteral("%1 admite %2.").arg(name, spanishList(known->allowed));
                return false;
            }
            value = *allowed; // as the table spells it: "INT64" is int64 from here on
        }
        parsed->values.insert(name, value);
    }
    if (parsed->operands.size() < operands.min) {
        *error = QStringLiteral("La orden %1 necesita %2.").arg(command, QString::fromUtf8(operands.needs));
        return false;
    }
    if (operands.standardInputOnce && parsed->operands.count(QStringLiteral("-")) > 1) {
        *error = QStringLiteral("Solo uno de los archivos puede ser la entrada estándar (-).");
        return false;
    }
    return true;
}
