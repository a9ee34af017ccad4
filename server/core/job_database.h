// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// The experience table as the servers of today read it: a YAML job
// database (Header Type JOB_STATS, Version 2; Body a list of entries, each a
// map of job names with a maximum level and one experience item per level).
//
// Each value column stands for the jobs of one class group: exportar writes
// its values for all of them, importar reads them back from one of them.
// Those servers read a job's maximum as its last level: the item at that
// level holds a placeholder, not experience.

#include <QString>
#include <QStringList>

#include <span>
#include <string>
#include <vector>

class ExperienceTable;

// What exportar makes of a table: the YAML text and the warnings to give.
struct JobDatabaseExport
{
    std::string yaml;
    QStringList warnings;
};

// Writes the job database for `table`, read as the editor opens a file
// (`tableName` as the comment at the top names it). Each column ends at its
// first value of 0 or less; columns equal up to there share one entry. False,
// with *error naming the level and column, for a value that is not a whole
// number from 0 to 2^64 - 1 before its column's end, or for a table with no
// level.
bool exportJobDatabase(const ExperienceTable &table, const QString &tableName, JobDatabaseExport *result,
                       QString *error);

// One YAML file as importar is given it.
struct JobDatabaseFile
{
    QString name; // as messages show it
    std::string text;
};

// Applies the entries of `files`, in order, as the servers load their own
// file and then an import file, and fills `table` with the experience of
// each column's job: row L level L, 0 from the job's maximum on, as many rows
// as the largest maximum. False, with *error naming the file, line and what,
// for a file that is not such a database, a faulty entry, a column's job
// without a maximum or a level below its maximum without experience;
// `table` is then left as it was.
bool importJobDatabase(std::span<const JobDatabaseFile> files, ExperienceTable &table, QString *error);
