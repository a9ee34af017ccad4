// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/chain_report.h"

#include "cli/console.h"
#include "server/core/table_check.h"

#include <algorithm>
#include <string_view>

namespace {

QString severityOf(const ChainNote &note)
{
    return note.error ? QStringLiteral("error") : QStringLiteral("aviso");
}

QString originOf(const ChainReport &report, const JobLevels &levels)
{
    return levels.maximumAt.isSet() ? report.chain.placeText(levels.maximumAt) : QStringLiteral("MAX_LEVEL");
}

QJsonObject levelsJson(const ChainReport &report, const JobLevels &levels)
{
    return {{QStringLiteral("maximo"), levels.maximum},
            {QStringLiteral("origen"),
             levels.maximumAt.isSet() ? QJsonValue(report.chain.placeText(levels.maximumAt)) : QJsonValue()},
            {QStringLiteral("tabla"), levels.entry >= 0}};
}

} // namespace

QString textOfChain(const ChainReport &report)
{
    QString out;
    for (const ChainNote &f : report.check.findings)
        out += QStringLiteral("%1: %2: %3\n").arg(report.chain.placeText(f.place), severityOf(f), f.message);
    out += QStringLiteral("Niveles máximos (MAX_LEVEL %1):\n").arg(report.chain.maxLevel());
    for (const LoadedJob &job : report.chain.jobs())
        out += QStringLiteral("  %1: base %2 (%3), trabajo %4 (%5)\n")
                   .arg(job.name)
                   .arg(job.base.maximum)
                   .arg(originOf(report, job.base))
                   .arg(job.job.maximum)
                   .arg(originOf(report, job.job));
    QStringList names;
    for (const JobFile &file : report.chain.files())
        names << file.name;
    return out
           + QStringLiteral("%1: %2, %3 en %4\n")
                 .arg(names.join(QStringLiteral(", ")), countOf(report.check.errors, "error", "errores"),
                      countOf(report.check.warnings, "aviso", "avisos"),
                      countOf(qint64(report.chain.jobs().size()), "trabajo", "trabajos"));
}

QJsonObject jsonOfChain(const ChainReport &report)
{
    QJsonArray files, jobs, findings;
    for (const QString &path : report.paths)
        files.append(path);
    for (const LoadedJob &job : report.chain.jobs())
        jobs.append(QJsonObject{{QStringLiteral("nombre"), job.name},
                                {QStringLiteral("base"), levelsJson(report, job.base)},
                                {QStringLiteral("trabajo"), levelsJson(report, job.job)}});
    for (const ChainNote &f : report.check.findings)
        findings.append(QJsonObject{{QStringLiteral("archivo"), report.paths.value(f.place.file)},
                                    {QStringLiteral("linea"), f.place.line},
                                    {QStringLiteral("columna"), f.place.column},
                                    {QStringLiteral("gravedad"), severityOf(f)},
                                    {QStringLiteral("codigo"), QString::fromLatin1(f.code)},
                                    {QStringLiteral("mensaje"), f.message}});
    return {{QStringLiteral("archivos"), files},
            {QStringLiteral("nivel_maximo"), report.chain.maxLevel()},
            {QStringLiteral("trabajos"), jobs},
            {QStringLiteral("hallazgos"), findings}};
}

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

QJsonArray sarifResultsOfChain(const ChainReport &report, QString (*artifactUri)(const QString &))
{
    QJsonArray results;
    for (const ChainNote &f : report.check.findings) {
        QJsonObject region{{QStringLiteral("startLine"), std::max(1, f.place.line)}};
        if (f.place.column > 0)
            region.insert(QStringLiteral("startColumn"), f.place.column);
        results.append(sarifResult(f.code, f.error, f.message, artifactUri(report.paths.value(f.place.file)), region));
    }
    return results;
}
