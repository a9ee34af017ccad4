// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// comprobar's report of the libconfig family's files: the findings, each
// group's maximum and values as the server loads them, and, with the
// job_db.conf, each job's groups and maximum levels.

#include "server/core/exp_groups.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <vector>

struct GroupReport
{
    ExpGroupServer server;
    QStringList paths;               // as given: exp_group_db.conf, then job_db.conf
    std::vector<GroupNote> findings; // a refusal first, then the loader's notes
    qint64 errors = 0, warnings = 0;
};

// Loads what `report.paths` name (read already as `texts`) into the report.
// False for a file past a bound, with the message.
bool loadGroupReport(GroupReport &report, std::vector<std::string> texts, QString *error);

QString textOfGroups(const GroupReport &report);
QJsonObject jsonOfGroups(const GroupReport &report);
QJsonArray sarifResultsOfGroups(const GroupReport &report, QString (*artifactUri)(const QString &));
