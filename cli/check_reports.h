// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// comprobar's reports, as functions of what was checked: the text a file
// at a time, and one JSON document and one SARIF log for the whole run.
// The JSON has one shape whatever the number of files (a script reads
// .archivos[] for one table as for ten).

#include "cli/chain_report.h"
#include "cli/group_report.h"
#include "server/core/table_check.h"

#include <QJsonObject>
#include <QString>

#include <utility>
#include <vector>

// The JSON report's shape: 1 was an object for one table and a list for several.
inline constexpr int kJsonReportVersion = 2;

// One table file's check.
struct FileReport
{
    QString path;
    TableCheck check;
    qint64 errors = 0, warnings = 0;
};

// Everything one run of comprobar checked, and what it could not read.
struct CheckReports
{
    std::vector<FileReport> tables;
    const ChainReport *chain = nullptr;
    const GroupReport *groups = nullptr;
    std::vector<std::pair<QString, QString>> notRead; // the file as given, and why
};

// "N errores, M avisos en K niveles".
QString summaryOf(qint64 errors, qint64 warnings, qint64 levels);

// The lines of one table: its findings, its last levels, its summary; each
// named by the file when there are several.
QString textOf(const FileReport &report, bool several);

// {"version", "archivos": [...], "errores", "avisos", "no_leidos": [...]},
// and "cadena_yaml" and "grupos_libconfig" when those files were checked.
QJsonObject jsonReport(const CheckReports &reports);

// A SARIF 2.1.0 log: one rule per kind of finding, one result per finding,
// and a run that did not succeed where a file could not be read.
QJsonObject sarifReport(const CheckReports &reports);

// A file as a SARIF artifact location: a relative URI reference for a
// relative name, a file URI for an absolute one.
QString artifactUri(const QString &path);
