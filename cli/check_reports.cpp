// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/check_reports.h"

#include "cli/console.h"
#include "cli/finding_json.h"
#include "core/file_name.h"
#include "table/core/experience_table.h"

#include <QDir>
#include <QJsonArray>
#include <QUrl>

#include <span>

namespace {

QString severityOf(const TableFinding &f)
{
    return f.error ? QStringLiteral("error") : QStringLiteral("aviso");
}

QJsonObject jsonOfTable(const FileReport &report)
{
    QJsonArray findings;
    for (const TableFinding &f : report.check.findings)
        findings.append(QJsonObject{{QStringLiteral("linea"), f.line},
                                    {QStringLiteral("campo"), f.field},
                                    {QStringLiteral("gravedad"), severityOf(f)},
                                    {QStringLiteral("codigo"), QString::fromLatin1(f.code)},
                                    {QStringLiteral("mensaje"), f.message}});
    // A list, so that the columns keep their order (an object's keys are not ordered).
    QJsonArray lastLevels;
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column)
        lastLevels.append(QJsonObject{{QStringLiteral("columna"), columnName(column)},
                                      {QStringLiteral("nivel"), report.check.lastLevels[size_t(column - 1)]}});
    return {{QStringLiteral("archivo"), report.path},     {QStringLiteral("niveles"), report.check.levels},
            {QStringLiteral("errores"), report.errors},   {QStringLiteral("avisos"), report.warnings},
            {QStringLiteral("ultimo_nivel"), lastLevels}, {QStringLiteral("hallazgos"), findings}};
}

} // namespace

QString summaryOf(qint64 errors, qint64 warnings, qint64 levels)
{
    return QStringLiteral("%1, %2 en %3")
        .arg(countOf(errors, "error", "errores"), countOf(warnings, "aviso", "avisos"),
             countOf(levels, "nivel", "niveles"));
}

// The lines of one file: its findings, then its summary, named when there
// are several files.
QString textOf(const FileReport &report, bool several)
{
    QString out;
    const QString shownPath = shownName(report.path); // a newline in a name cannot split a finding's line
    for (const TableFinding &f : report.check.findings)
        out +=
            QStringLiteral("%1:%2:%3: %4: %5\n").arg(shownPath).arg(f.line).arg(f.field).arg(severityOf(f), f.message);
    // Where each group ends for the server, then the count, last as ever.
    QStringList lastLevels;
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column)
        lastLevels << QStringLiteral("%1 %2").arg(columnName(column)).arg(report.check.lastLevels[size_t(column - 1)]);
    const QString named = several ? shownPath + QStringLiteral(": ") : QString();
    return out + named + QStringLiteral("Último nivel: ") + lastLevels.join(QStringLiteral(", ")) + u'\n' + named
           + summaryOf(report.errors, report.warnings, report.check.levels) + u'\n';
}

// A file as a SARIF artifact location: a relative URI reference for a
// relative name, a file URI for an absolute one; the name's bytes
// percent-encoded, so that a name that is not UTF-8 keeps them.
QString artifactUri(const QString &path)
{
    const QString slashed = QDir::fromNativeSeparators(path);
    const QString encoded = QString::fromLatin1(systemName(slashed).toPercentEncoding("/"));
    if (slashed.startsWith(u'/'))
        return QStringLiteral("file://") + encoded;
    if (QDir::isAbsolutePath(path)) // C:/… on Windows
        return QString::fromLatin1(QUrl::fromLocalFile(path).toEncoded());
    return encoded;
}

QJsonObject sarifReport(const CheckReports &all)
{
    const std::vector<FileReport> &reports = all.tables;
    const ChainReport *chain = all.chain;
    const GroupReport *groups = all.groups;
    const std::vector<std::pair<QString, QString>> &notRead = all.notRead;
    const std::span<const FindingCode> codes = findingCodes();
    QJsonArray rules;
    for (const FindingCode &code : codes)
        rules.append(QJsonObject{{QStringLiteral("id"), QString::fromLatin1(code.code)},
                                 {QStringLiteral("shortDescription"),
                                  QJsonObject{{QStringLiteral("text"), QString::fromUtf8(code.description)}}},
                                 {QStringLiteral("defaultConfiguration"),
                                  QJsonObject{{QStringLiteral("level"),
                                               code.error ? QStringLiteral("error") : QStringLiteral("warning")}}}});
    QJsonArray results;
    for (const FileReport &report : reports) {
        for (const TableFinding &f : report.check.findings) {
            QJsonObject region{{QStringLiteral("startLine"), f.line}};
            if (f.startColumn > 0) {
                region.insert(QStringLiteral("startColumn"), f.startColumn);
                region.insert(QStringLiteral("endColumn"), f.endColumn); // past the last byte; an empty field is empty
            }
            results.append(sarifResult(f.code, f.error, f.message, artifactUri(report.path), region));
        }
    }
    if (chain)
        for (const QJsonValue &result : sarifResultsOfChain(*chain, artifactUri))
            results.append(result);
    if (groups)
        for (const QJsonValue &result : sarifResultsOfGroups(*groups, artifactUri))
            results.append(result);
    // A file that could not be read is no clean result: the run says so.
    QJsonArray notifications;
    for (const auto &[path, message] : notRead)
        notifications.append(QJsonObject{
            {QStringLiteral("level"), QStringLiteral("error")},
            {QStringLiteral("message"), QJsonObject{{QStringLiteral("text"), message}}},
            {QStringLiteral("locations"),
             QJsonArray{QJsonObject{{QStringLiteral("physicalLocation"),
                                     QJsonObject{{QStringLiteral("artifactLocation"),
                                                  QJsonObject{{QStringLiteral("uri"), artifactUri(path)}}}}}}}}});
    QJsonObject invocation{{QStringLiteral("executionSuccessful"), notRead.empty()}};
    if (!notifications.isEmpty())
        invocation.insert(QStringLiteral("toolExecutionNotifications"), notifications);
    const QJsonObject driver{
        {QStringLiteral("name"), QStringLiteral("vandrel-exp")},
        {QStringLiteral("version"), QStringLiteral("%1.%2").arg(VEXP_VERSION_MAJOR).arg(VEXP_VERSION_MINOR)},
        {QStringLiteral("informationUri"), QStringLiteral("https://example.org/vandrel-exp-editor/")},
        {QStringLiteral("rules"), rules}};
    return {{QStringLiteral("$schema"), QStringLiteral("https://json.schemastore.org/sarif-2.1.0.json")},
            {QStringLiteral("version"), QStringLiteral("2.1.0")},
            {QStringLiteral("runs"),
             QJsonArray{QJsonObject{{QStringLiteral("tool"), QJsonObject{{QStringLiteral("driver"), driver}}},
                                    {QStringLiteral("invocations"), QJsonArray{invocation}},
                                    {QStringLiteral("results"), results}}}}};
}

QJsonObject jsonReport(const CheckReports &reports)
{
    QJsonArray tables, notRead;
    qint64 errors = 0, warnings = 0;
    for (const FileReport &report : reports.tables) {
        tables.append(jsonOfTable(report));
        errors += report.errors;
        warnings += report.warnings;
    }
    for (const auto &[path, message] : reports.notRead)
        notRead.append(QJsonObject{{QStringLiteral("archivo"), path}, {QStringLiteral("mensaje"), message}});
    QJsonObject out{{QStringLiteral("version"), kJsonReportVersion},
                    {QStringLiteral("archivos"), tables},
                    {QStringLiteral("no_leidos"), notRead}};
    if (reports.chain) {
        out.insert(QStringLiteral("cadena_yaml"), jsonOfChain(*reports.chain));
        errors += reports.chain->check.errors;
        warnings += reports.chain->check.warnings;
    }
    if (reports.groups) {
        out.insert(QStringLiteral("grupos_libconfig"), jsonOfGroups(*reports.groups));
        errors += reports.groups->errors;
        warnings += reports.groups->warnings;
    }
    out.insert(QStringLiteral("errores"), errors);
    out.insert(QStringLiteral("avisos"), warnings);
    return out;
}
