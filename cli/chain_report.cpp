// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/chain_report.h"

#include "cli/console.h"
#include "cli/file_arguments.h"
#include "cli/finding_json.h"
#include "server/core/table_check.h"

#include <algorithm>
#include <string_view>

namespace {

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

std::vector<std::pair<QString, QString>> loadChainReport(ChainReport &report, const QStringList &paths,
                                                         std::vector<std::string> texts, bool int32)
{
    std::vector<std::pair<QString, QString>> unreadable;
    std::vector<ChainNote> refused;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const std::optional<ChainRefusal> refusal =
            report.chain.load({shownArgument(paths[i]), std::move(texts[size_t(i)])}, i == 0 && paths.size() > 1);
        report.paths << paths[i];
        if (refusal && refusal->bound)
            unreadable.emplace_back(
                paths[i], QStringLiteral("%1: %2").arg(report.chain.placeText(refusal->place), refusal->message));
        else if (refusal)
            refused.push_back({"no_se_carga", true, refusal->place, refusal->message});
    }
    report.check = checkJobChain(report.chain, int32);
    // The files the server will not load come first, in the order given.
    report.check.findings.insert(report.check.findings.begin(), refused.begin(), refused.end());
    report.check.errors += qint64(refused.size());
    return unreadable;
}

QString textOfChain(const ChainReport &report)
{
    QString out;
    for (const ChainNote &f : report.check.findings)
        out += QStringLiteral("%1: %2: %3\n").arg(report.chain.placeText(f.place), severityName(f.error), f.message);
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
    QJsonArray files, jobs;
    for (const QString &path : report.paths)
        files.append(path);
    for (const LoadedJob &job : report.chain.jobs())
        jobs.append(QJsonObject{{QStringLiteral("nombre"), job.name},
                                {QStringLiteral("base"), levelsJson(report, job.base)},
                                {QStringLiteral("trabajo"), levelsJson(report, job.job)}});
    return {{QStringLiteral("archivos"), files},
            {QStringLiteral("nivel_maximo"), report.chain.maxLevel()},
            {QStringLiteral("trabajos"), jobs},
            {QStringLiteral("hallazgos"), findingsJson(report.check.findings, report.paths)}};
}

QJsonArray sarifResultsOfChain(const ChainReport &report, QString (*artifactUri)(const QString &))
{
    return sarifResultsOf(report.check.findings, report.paths, artifactUri);
}
