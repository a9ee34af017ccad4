// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/finding_json.h"

#include "server/core/table_check.h"

#include <span>
#include <string_view>

QJsonObject sarifResult(const char *code, bool error, const QString &message, const QString &uri,
                        const QJsonObject &region)
{
    const std::span<const FindingCode> codes = findingCodes();
    const auto rule = std::find_if(codes.begin(), codes.end(),
                                   [&](const FindingCode &c) { return std::string_view(c.code) == code; });
    return QJsonObject{
        {QStringLiteral("ruleId"), QString::fromLatin1(code)},
        {QStringLiteral("ruleIndex"), qint64(rule - codes.begin())},
        {QStringLiteral("level"), error ? QStringLiteral("error") : QStringLiteral("warning")},
        {QStringLiteral("message"), QJsonObject{{QStringLiteral("text"), message}}},
        {QStringLiteral("locations"), QJsonArray{QJsonObject{{QStringLiteral("physicalLocation"),
                                                              QJsonObject{{QStringLiteral("artifactLocation"),
                                                                           QJsonObject{{QStringLiteral("uri"), uri}}},
                                                                          {QStringLiteral("region"), region}}}}}}};
}
