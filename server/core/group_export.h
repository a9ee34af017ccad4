// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// The experience table in the libconfig family's files. There is no import
// file: the admin edits the shipped exp_group_db.conf, which also holds
// groups no column covers (third jobs, homunculi) and comments. exportar
// changes only the MaxLevel and Exp text of the groups the representative
// jobs use, and every other byte stays. Columns that share a group (the
// first four base columns, and the next three, in the shipped files) must
// hold one curve, unless the export splits them: then it adds a group next
// to the shared one for each curve that differs, and changes only the
// BaseExpGroup/JobExpGroup lines, in job_db.conf, of the jobs of those
// columns.

#include "server/core/exp_groups.h"
#include "server/core/job_database.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <string>

struct GroupExport
{
    QString tableName;
    ByColumn<ColumnCurve> curves;     // by column, 1 to 14
    ByColumn<std::string> groupOf;    // the group each column is written into
    std::string groups;               // exp_group_db.conf as it will be
    std::optional<std::string> links; // job_db.conf as it will be, where it changes
    QStringList addedGroups;          // "base FirstClasses_Swordsman", …
    QStringList movedJobs;            // jobs whose links changed
    QStringList warnings;
};

// Writes `table` into the files `current` holds (the groups file may be
// empty: it is then made whole with the two root settings; without a links
// file, the representatives are linked as shipped). `separate` splits
// shared groups. False, with *error, where that cannot be done without
// touching other bytes or jobs, a value does not fit in 64 bits with a
// sign, or a link names a group the server cannot hold.
bool exportExpGroups(const ExperienceTable &table, const QString &tableName, const ExpGroupServer &current,
                     bool separate, GroupExport *result, QString *error);

// Where a representative job does not end with its column's curve once
// `loaded` (the files written) is loaded.
QStringList checkExportedGroups(const GroupExport &exported, const ExpGroupServer &loaded);

// The fourteen columns the server gives the representative jobs. False,
// with *error, where one has no group.
bool importExpGroups(const ExpGroupServer &server, ExperienceTable &table, QStringList *warnings, QString *error);

// An Exp array's text for `values`: one line when `oneLine`, else ten a
// line at `elementIndent`, its ] at `closeIndent`; every value with L when
// one passes 2,147,483,647.
std::string expArrayText(const std::vector<uint64_t> &values, bool oneLine, std::string_view elementIndent,
                         std::string_view closeIndent, std::string_view lineEnd);
