// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/group_report.h"

#include "cli/chain_report.h"
#include "cli/console.h"
#include "cli/file_arguments.h"
#include "cli/finding_json.h"

#include <algorithm>

namespace {

QString kindName(bool base)
{
    return base ? QStringLiteral("base") : QStringLiteral("trabajo");
}

QString groupName(const ExpGroupServer &server, int index)
{
    return index < 0 ? QString() : QString::fromStdString(server.groups()[size_t(index)].name);
}

int maximumOf(const ExpGroupServer &server, int index)
{
    return index < 0 ? 0 : server.groups()[size_t(index)].maximum;
}

} // namespace

bool loadGroupReport(GroupReport &report, std::vector<std::string> texts, QString *error)
{
    std::optional<GroupRefusal> refusal =
        report.server.loadGroups({shownArgument(report.paths.value(0)), std::move(texts[0])});
    if (!refusal && report.paths.size() > 1)
        refusal = report.server.loadLinks({shownArgument(report.paths.value(1)), std::move(texts[1])});
    if (refusal && refusal->bound) {
        *error = QStringLiteral("%1: %2").arg(report.server.placeText(refusal->place), refusal->message);
        return false;
    }
    if (refusal)
        report.findings.push_back({refusal->code, true, refusal->place, refusal->message});
    report.findings.insert(report.findings.end(), report.server.notes().begin(), report.server.notes().end());
    for (const GroupNote &note : report.findings)
        (note.error ? report.errors : report.warnings) += 1;
    return true;
}

QString textOfGroups(const GroupReport &report)
{
    const ExpGroupServer &server = report.server;
    QString out;
    for (const GroupNote &f : report.findings)
        out += QStringLiteral("%1: %2: %3\n").arg(server.placeText(f.place), severityName(f.error), f.message);
    out += QStringLiteral("Grupos (MAX_LEVEL %1):\n").arg(server.maxLevel());
    for (const ExpGroup &group : server.groups())
        out += QStringLiteral("  %1 %2: nivel máximo %3, %4 (%5)%6\n")
                   .arg(kindName(group.base), QString::fromStdString(group.written))
                   .arg(group.maximum)
                   .arg(countOf(group.given, "valor", "valores"), server.placeText(group.place),
                        group.shadowed ? QStringLiteral(", sin uso: repetido") : QString());
    if (server.linksLoaded()) {
        out += QStringLiteral("Trabajos:\n");
        for (const LinkedJob &job : server.jobs())
            out += QStringLiteral("  %1: base %2 (%3), trabajo %4 (%5)\n")
                       .arg(job.name, job.base < 0 ? QStringLiteral("sin grupo") : groupName(server, job.base))
                       .arg(maximumOf(server, job.base))
                       .arg(job.job < 0 ? QStringLiteral("sin grupo") : groupName(server, job.job))
                       .arg(maximumOf(server, job.job));
    }
    return out
           + QStringLiteral("%1: %2, %3 en %4%5\n")
                 .arg(report.paths.join(QStringLiteral(", ")), countOf(report.errors, "error", "errores"),
                      countOf(report.warnings, "aviso", "avisos"),
                      countOf(qint64(server.groups().size()), "grupo", "grupos"),
                      server.linksLoaded()
                          ? QStringLiteral(" y %1").arg(countOf(qint64(server.jobs().size()), "trabajo", "trabajos"))
                          : QString());
}

QJsonObject jsonOfGroups(const GroupReport &report)
{
    const ExpGroupServer &server = report.server;
    QJsonArray files, groups, jobs;
    for (const QString &path : report.paths)
        files.append(path);
    for (const ExpGroup &group : server.groups()) {
        QJsonArray exp;
        for (const uint64_t value : group.exp)
            exp.append(QString::number(value)); // past 2^53 a JSON number loses digits
        groups.append(QJsonObject{{QStringLiteral("tipo"), kindName(group.base)},
                                  {QStringLiteral("nombre"), QString::fromStdString(group.written)},
                                  {QStringLiteral("linea"), group.place.line},
                                  {QStringLiteral("nivel_maximo"), group.maximum},
                                  {QStringLiteral("valores_escritos"), group.given},
                                  {QStringLiteral("repetido"), group.shadowed},
                                  {QStringLiteral("experiencia"), exp}});
    }
    for (const LinkedJob &job : server.jobs()) {
        const auto link = [&](int index) {
            return QJsonObject{
                {QStringLiteral("grupo"), index < 0 ? QJsonValue() : QJsonValue(groupName(server, index))},
                {QStringLiteral("nivel_maximo"), maximumOf(server, index)}};
        };
        jobs.append(QJsonObject{{QStringLiteral("nombre"), job.name},
                                {QStringLiteral("base"), link(job.base)},
                                {QStringLiteral("trabajo"), link(job.job)}});
    }
    QJsonObject object{{QStringLiteral("archivos"), files},
                       {QStringLiteral("nivel_maximo"), server.maxLevel()},
                       {QStringLiteral("grupos"), groups},
                       {QStringLiteral("hallazgos"), findingsJson(report.findings, report.paths)}};
    if (server.linksLoaded())
        object.insert(QStringLiteral("trabajos"), jobs);
    return object;
}

QJsonArray sarifResultsOfGroups(const GroupReport &report, QString (*artifactUri)(const QString &))
{
    return sarifResultsOf(report.findings, report.paths, artifactUri);
}
