// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// The experience table as the YAML job database of today's servers holds
// it. Column c (1-7) is the base curve, and c + 7 the job curve, of the c-th
// representative job: Novice, Swordman, Knight, Supernovice, Novice_High,
// Swordman_High, Lord_Knight. exportar writes each column's curve for the
// jobs the column covers; importar reads each column from its
// representative job as the chain of files leaves it (server/core/job_chain.h).
// A job's maximum level holds a placeholder, not experience.

#include "server/core/job_chain.h"
#include "table/core/experience_table.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The c-th representative job, c from 1 to 7.
const char *representativeJob(int classGroup);

// One column's curve as the servers read it: values of levels 1 .. last - 1.
struct ColumnCurve
{
    std::vector<uint64_t> values;
    int32_t lastLevel = 0;
    bool reachesZero = true;
};

// One entry exportar writes: the columns it stands for and their jobs.
struct ExportedEntry
{
    std::vector<int> columns; // equal curves of one kind
    QStringList jobs;         // in the servers' order
};

// What exportar makes of a table: the entries of its block and the warnings to give.
struct ExportedBlock
{
    QString tableName;
    ByColumn<ColumnCurve> curves; // by column, 1 to 14
    std::vector<ExportedEntry> entries;
    QStringList warnings;
};

// Reads the fourteen columns' curves of `table` (as the editor opens a
// file). False, with *error naming the level and column, for a value that
// is not a whole number from 0 to 2^64 - 1 before its column's end, or a
// table with no level.
bool readColumnCurves(const ExperienceTable &table, ByColumn<ColumnCurve> *curves, QString *error);

// "Novice base", "Novice base y Swordman base": columns as messages name them.
QString columnsNamed(const std::vector<int> &columns);

// Reads the columns of `table` (as the editor opens a file) and groups them
// into entries: by the built-in pre-renewal lists, or, with `base` (a
// server's own file loaded alone), by the groups of that file, so that each
// column covers exactly the shipped group holding its representative job.
// False, with *error naming the level and column, for a value that is not a
// whole number from 0 to 2^64 - 1 before its column's end, a table with no
// level, columns sharing a shipped group with different curves, or a base
// that does not give a representative job's curve.
bool exportJobDatabase(const ExperienceTable &table, const QString &tableName, const JobChain *base,
                       ExportedBlock *result, QString *error);

// The marker lines around the block, as written (without indent and line end).
QByteArray blockBeginLine(const QString &tableName);
QByteArray blockEndLine();
// Whether a line (without its line end) is one of the markers.
bool isBlockBegin(std::string_view line);
bool isBlockEnd(std::string_view line);

// The block: its two marker lines around its entries, each line starting
// with `indent` (where the Body's items start) and ending with `lineEnd`.
std::string blockText(const ExportedBlock &block, std::string_view indent, std::string_view lineEnd);

// A whole job database holding only the block: a comment saying where it
// goes, the Header with `version`, Body.
std::string wholeJobDatabase(const ExportedBlock &block, int version);

// Where a covered job does not end with its column's curve once `chain`
// (the base when given, then the written file) is loaded: one warning per
// job and kind, naming the level and the place that wins.
QStringList checkExportedBlock(const ExportedBlock &block, const JobChain &chain);

// The fourteen columns the servers end with after `chain`, from the
// representative jobs: row L level L, 0 from the job's maximum on, as many
// rows as the largest maximum. Warnings where a level below a maximum holds
// no experience (the column ends there, as the character does). False, with
// *error, where a representative job is named by no file or the table would
// be too large; `table` is then left as it was.
bool importJobDatabase(const JobChain &chain, ExperienceTable &table, QStringList *warnings, QString *error);

// One column as a server ends with it: its job, maximum level, where that
// maximum comes from (empty: MAX_LEVEL) and the experience by level - 1.
struct ImportedColumn
{
    QString job;
    int maximum = 0;
    QString maximumAt;
    const std::vector<uint64_t> *exp = nullptr;

    uint64_t at(int level) const { return level >= 1 && size_t(level) <= exp->size() ? (*exp)[size_t(level - 1)] : 0; }
};

// The table of `columns` (1 to 14): row L level L, 0 from each maximum on,
// as many rows as the largest maximum; a level below a maximum without
// experience ends its column, with a warning. False, with *error, for a
// table too large; `table` is then left as it was.
bool buildImportedTable(const ByColumn<ImportedColumn> &columns, ExperienceTable &table, QStringList *warnings,
                        QString *error);
