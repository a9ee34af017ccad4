// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "server/core/job_database.h"

#include "core/titulo.h"
#include "server/core/table_check.h"
#include "table/core/experience_table.h"
#include "table/core/table_file.h"

#include <QHash>

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>
#include <span>

namespace {

// The placeholders the servers' own files give at a group's maximum level.
constexpr uint64_t kBasePlaceholder = 99999999;
constexpr uint64_t kJobPlaceholder = 999999999;

struct ListedJob
{
    const char *name;
    int column;
};

// The jobs of the base columns in the order of the servers' own groups (the
// first four columns share one group there, the next three another), and
// those of the job columns in column order. Gunslinger, Ninja and Taekwon
// share the first jobs' base curve; Star Gladiator and Soul Linker the
// second jobs'.
constexpr ListedJob kBaseJobs[] = {
    {"Novice", 1},        {"Swordman", 2},       {"Mage", 2},
    {"Archer", 2},        {"Acolyte", 2},        {"Merchant", 2},
    {"Thief", 2},         {"Knight", 3},         {"Priest", 3},
    {"Wizard", 3},        {"Blacksmith", 3},     {"Hunter", 3},
    {"Assassin", 3},      {"Knight2", 3},        {"Crusader", 3},
    {"Monk", 3},          {"Sage", 3},           {"Rogue", 3},
    {"Alchemist", 3},     {"Bard", 3},           {"Dancer", 3},
    {"Crusader2", 3},     {"Supernovice", 4},    {"Gunslinger", 2},
    {"Ninja", 2},         {"Baby", 1},           {"Baby_Swordman", 2},
    {"Baby_Mage", 2},     {"Baby_Archer", 2},    {"Baby_Acolyte", 2},
    {"Baby_Merchant", 2}, {"Baby_Thief", 2},     {"Baby_Knight", 3},
    {"Baby_Priest", 3},   {"Baby_Wizard", 3},    {"Baby_Blacksmith", 3},
    {"Baby_Hunter", 3},   {"Baby_Assassin", 3},  {"Baby_Knight2", 3},
    {"Baby_Crusader", 3}, {"Baby_Monk", 3},      {"Baby_Sage", 3},
    {"Baby_Rogue", 3},    {"Baby_Alchemist", 3}, {"Baby_Bard", 3},
    {"Baby_Dancer", 3},   {"Baby_Crusader2", 3}, {"Super_Baby", 4},
    {"Taekwon", 2},       {"Star_Gladiator", 3}, {"Star_Gladiator2", 3},
    {"Soul_Linker", 3},   {"Novice_High", 5},    {"Swordman_High", 6},
    {"Mage_High", 6},     {"Archer_High", 6},    {"Acolyte_High", 6},
    {"Merchant_High", 6}, {"Thief_High", 6},     {"Lord_Knight", 7},
    {"High_Priest", 7},   {"High_Wizard", 7},    {"Whitesmith", 7},
    {"Sniper", 7},        {"Assassin_Cross", 7}, {"Lord_Knight2", 7},
    {"Paladin", 7},       {"Champion", 7},       {"Professor", 7},
    {"Stalker", 7},       {"Creator", 7},        {"Clown", 7},
    {"Gypsy", 7},         {"Paladin2", 7},
};

constexpr ListedJob kJobJobs[] = {
    {"Novice", 8},          {"Baby", 8},
    {"Swordman", 9},        {"Mage", 9},
    {"Archer", 9},          {"Acolyte", 9},
    {"Merchant", 9},        {"Thief", 9},
    {"Baby_Swordman", 9},   {"Baby_Mage", 9},
    {"Baby_Archer", 9},     {"Baby_Acolyte", 9},
    {"Baby_Merchant", 9},   {"Baby_Thief", 9},
    {"Taekwon", 9},         {"Knight", 10},
    {"Priest", 10},         {"Wizard", 10},
    {"Blacksmith", 10},     {"Hunter", 10},
    {"Assassin", 10},       {"Knight2", 10},
    {"Crusader", 10},       {"Monk", 10},
    {"Sage", 10},           {"Rogue", 10},
    {"Alchemist", 10},      {"Bard", 10},
    {"Dancer", 10},         {"Crusader2", 10},
    {"Baby_Knight", 10},    {"Baby_Priest", 10},
    {"Baby_Wizard", 10},    {"Baby_Blacksmith", 10},
    {"Baby_Hunter", 10},    {"Baby_Assassin", 10},
    {"Baby_Knight2", 10},   {"Baby_Crusader", 10},
    {"Baby_Monk", 10},      {"Baby_Sage", 10},
    {"Baby_Rogue", 10},     {"Baby_Alchemist", 10},
    {"Baby_Bard", 10},      {"Baby_Dancer", 10},
    {"Baby_Crusader2", 10}, {"Soul_Linker", 10},
    {"Supernovice", 11},    {"Super_Baby", 11},
    {"Novice_High", 12},    {"Swordman_High", 13},
    {"Mage_High", 13},      {"Archer_High", 13},
    {"Acolyte_High", 13},   {"Merchant_High", 13},
    {"Thief_High", 13},     {"Lord_Knight", 14},
    {"High_Priest", 14},    {"High_Wizard", 14},
    {"Whitesmith", 14},     {"Sniper", 14},
    {"Assassin_Cross", 14}, {"Lord_Knight2", 14},
    {"Paladin", 14},        {"Champion", 14},
    {"Professor", 14},      {"Stalker", 14},
    {"Creator", 14},        {"Clown", 14},
    {"Gypsy", 14},          {"Paladin2", 14},
};

// One job per class group, for both its columns.
constexpr const char *kRepresentatives[kBaseColumns + 1] = {
    nullptr, "Novice", "Swordman", "Knight", "Supernovice", "Novice_High", "Swordman_High", "Lord_Knight"};

constexpr uint64_t kLargestExp = std::numeric_limits<uint64_t>::max();

std::span<const ListedJob> listFor(int column)
{
    return isBaseColumn(column) ? std::span<const ListedJob>(kBaseJobs) : std::span<const ListedJob>(kJobJobs);
}

// A whole number of plain decimal digits, from 0 to 2^64 - 1. Deliberately
// stricter than the servers' reading of the table (which skips blanks and a
// sign, and which comprobar follows, warning with signo_o_blanco): what
// exportar writes must be the number the table shows, not a guess at it.
std::optional<uint64_t> plainNumber(std::string_view text)
{
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    uint64_t number = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (failure != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return number;
}

bool readColumn(const ExperienceTable &table, int column, ColumnCurve *curve, QString *error)
{
    const int32_t levels = table.rowCount() - 1;
    for (int32_t row = 1; row <= levels; ++row) {
        const std::string_view text = table.value(row, column);
        if (const std::optional<uint64_t> value = plainNumber(text)) {
            if (*value == 0) {
                curve->lastLevel = row;
                return true;
            }
            curve->values.push_back(*value);
            continue;
        }
        // A negative value ends the column, as it ends the class group for a server.
        if (text.size() > 1 && text[0] == '-' && plainNumber(text.substr(1))) {
            curve->lastLevel = row;
            return true;
        }
        const qint64 line = fileLinesOfRows(table, {row}).front();
        *error = QStringLiteral("el nivel %1%2, columna %3, tiene «%4», que no es un número entero de 0 a %5; no se "
                                "ha escrito nada.")
                     .arg(row)
                     .arg(line > 0 ? QStringLiteral(" (línea %1)").arg(line) : QString())
                     .arg(columnName(column), shownValue(text))
                     .arg(kLargestExp);
        return false;
    }
    curve->lastLevel = levels + 1;
    curve->reachesZero = false;
    return true;
}

bool sameCurve(const ColumnCurve &a, const ColumnCurve &b)
{
    return a.lastLevel == b.lastLevel && a.values == b.values;
}

// Entries by the built-in lists: equal columns of one kind share one, whose
// jobs keep the lists' order.
std::vector<ExportedEntry> builtInEntries(const ByColumn<ColumnCurve> &curves)
{
    std::vector<ExportedEntry> entries;
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
        auto same = std::find_if(entries.begin(), entries.end(), [&](const ExportedEntry &entry) {
            return isBaseColumn(entry.columns.front()) == isBaseColumn(column)
                   && sameCurve(curves[size_t(entry.columns.front())], curves[size_t(column)]);
        });
        if (same != entries.end())
            same->columns.push_back(column);
        else
            entries.push_back({{column}, {}});
    }
    for (ExportedEntry &entry : entries)
        for (const ListedJob &job : listFor(entry.columns.front()))
            if (std::find(entry.columns.begin(), entry.columns.end(), job.column) != entry.columns.end())
                entry.jobs << QString::fromLatin1(job.name);
    return entries;
}

// Entries by the groups of a server's own file.
bool baseEntries(const ByColumn<ColumnCurve> &curves, const JobChain &base, std::vector<ExportedEntry> *entries,
                 QString *error)
{
    const QString file = base.files().empty() ? QString() : base.files().front().name;
    std::vector<std::pair<int, std::vector<int>>> groups; // entry index, columns
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
        const char *job = kRepresentatives[classGroupOf(column)];
        const LoadedJob *loaded = base.find(QString::fromLatin1(job));
        const int entry = !loaded ? -1 : isBaseColumn(column) ? loaded->base.entry : loaded->job.entry;
        if (entry < 0) {
            *error = QStringLiteral("%1 no da la experiencia %2 de %3, que es la de la columna %4; no se ha escrito "
                                    "nada.")
                         .arg(file, isBaseColumn(column) ? QStringLiteral("base") : QStringLiteral("de trabajo"),
                              QString::fromLatin1(job), columnName(column));
            return false;
        }
        auto group = std::find_if(groups.begin(), groups.end(), [&](const auto &g) { return g.first == entry; });
        if (group == groups.end()) {
            groups.push_back({entry, {column}});
            continue;
        }
        if (!sameCurve(curves[size_t(group->second.front())], curves[size_t(column)])) {
            std::vector<int> columns = group->second;
            columns.push_back(column);
            *error = QStringLiteral("las columnas %1 son de un mismo grupo en %2 (la entrada de %3) y tienen curvas "
                                    "distintas: el servidor solo puede dar una. Iguálelas, o exporte sin --base para "
                                    "repartir el grupo por oficios; no se ha escrito nada.")
                         .arg(columnsNamed(columns), base.placeText(base.entries()[size_t(entry)].place),
                              QString::fromLatin1(job));
            return false;
        }
        group->second.push_back(column);
    }
    for (const auto &group : groups) {
        const int entryIndex = group.first;
        const std::vector<int> &columns = group.second; // a named reference: lambdas below capture it
        const bool baseKind = isBaseColumn(columns.front());
        // The group: the jobs of that entry for which it is still the last word.
        QStringList jobs;
        QHash<QString, int> seen;
        for (const QString &name : base.entries()[size_t(entryIndex)].jobs) {
            const LoadedJob *loaded = base.find(name);
            const QString match = matchingJobName(name);
            if (loaded && (baseKind ? loaded->base.entry : loaded->job.entry) == entryIndex && !seen.contains(match)) {
                seen.insert(match, 0);
                jobs << name;
            }
        }
        // Equal curves of one kind in different groups share one entry.
        auto same = std::find_if(entries->begin(), entries->end(), [&](const ExportedEntry &e) {
            return isBaseColumn(e.columns.front()) == baseKind
                   && sameCurve(curves[size_t(e.columns.front())], curves[size_t(columns.front())]);
        });
        if (same != entries->end()) {
            same->columns.insert(same->columns.end(), columns.begin(), columns.end());
            same->jobs += jobs;
        } else {
            entries->push_back({columns, jobs});
        }
    }
    std::sort(entries->begin(), entries->end(),
              [](const ExportedEntry &a, const ExportedEntry &b) { return a.columns.front() < b.columns.front(); });
    for (ExportedEntry &entry : *entries)
        std::sort(entry.columns.begin(), entry.columns.end());
    return true;
}

// A name as a marker line can carry it: no line end, no control character.
QString oneLine(QString text)
{
    for (QChar &c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = u'?';
    return text;
}

constexpr std::string_view kBeginMark = "# >>> vandrel-exp";
constexpr std::string_view kEndMark = "# <<< vandrel-exp";

std::string_view withoutIndent(std::string_view line)
{
    const size_t first = line.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : line.substr(first);
}

} // namespace

bool readColumnCurves(const ExperienceTable &table, ByColumn<ColumnCurve> *curves, QString *error)
{
    bool anyLevel = false;
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
        (*curves)[size_t(column)] = {};
        if (!readColumn(table, column, &(*curves)[size_t(column)], error))
            return false;
        anyLevel = anyLevel || (*curves)[size_t(column)].lastLevel > 1;
    }
    if (!anyLevel) {
        *error = table.rowCount() > 1 ? QStringLiteral("la tabla no tiene ningún nivel: su primera fila ya es 0 en "
                                                       "todas las columnas; no se ha escrito nada.")
                                      : QStringLiteral("la tabla no tiene ningún nivel; no se ha escrito nada.");
        return false;
    }
    return true;
}

QString columnsNamed(const std::vector<int> &columns)
{
    QStringList names;
    for (int column : columns)
        names << columnName(column);
    if (names.size() == 1)
        return names[0];
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" y ") + last;
}

const char *representativeJob(int classGroup)
{
    return classGroup >= 1 && classGroup <= kBaseColumns ? kRepresentatives[classGroup] : nullptr;
}

bool exportJobDatabase(const ExperienceTable &table, const QString &tableName, const JobChain *base,
                       ExportedBlock *result, QString *error)
{
    ExportedBlock block;
    block.tableName = tableName;
    if (!readColumnCurves(table, &block.curves, error))
        return false;
    if (base) {
        if (!baseEntries(block.curves, *base, &block.entries, error))
            return false;
    } else {
        block.entries = builtInEntries(block.curves);
    }
    for (const ExportedEntry &entry : block.entries) {
        const ColumnCurve &curve = block.curves[size_t(entry.columns.front())];
        if (curve.lastLevel > kLargestServerMaxLevel) {
            *error = QStringLiteral("%1: el último nivel sería %2, y un nivel de la base de datos llega a %3; no se "
                                    "ha escrito nada.")
                         .arg(columnsNamed(entry.columns))
                         .arg(curve.lastLevel)
                         .arg(kLargestServerMaxLevel);
            return false;
        }
    }
    // Columns that never reach 0 all end after the last row: one warning.
    std::vector<int> endless;
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column)
        if (!block.curves[size_t(column)].reachesZero)
            endless.push_back(column);
    if (!endless.empty())
        block.warnings << QStringLiteral("%1: ningún valor es 0, así que el último nivel es %2, el de la fila que "
                                         "sigue a la última, como lo ve el servidor.")
                              .arg(columnsNamed(endless))
                              .arg(table.rowCount());
    *result = std::move(block);
    return true;
}

QByteArray blockBeginLine(const QString &tableName)
{
    return QByteArray(kBeginMark.data(), qsizetype(kBeginMark.size()))
           + QStringLiteral(": la tabla «%1»; vandrel-exp exportar reemplaza lo que hay entre estas dos líneas")
                 .arg(oneLine(tableName))
                 .toUtf8();
}

QByteArray blockEndLine()
{
    return QByteArray(kEndMark.data(), qsizetype(kEndMark.size())) + ": fin del bloque";
}

bool isBlockBegin(std::string_view line)
{
    return withoutIndent(line).substr(0, kBeginMark.size()) == kBeginMark;
}

bool isBlockEnd(std::string_view line)
{
    return withoutIndent(line).substr(0, kEndMark.size()) == kEndMark;
}

std::string blockText(const ExportedBlock &block, std::string_view indent, std::string_view lineEnd)
{
    std::string out;
    const auto line = [&](std::string_view more, std::string_view text) {
        out.append(indent).append(more).append(text).append(lineEnd);
    };
    line({}, blockBeginLine(block.tableName).toStdString());
    for (const ExportedEntry &entry : block.entries) {
        const bool base = isBaseColumn(entry.columns.front());
        const ColumnCurve &curve = block.curves[size_t(entry.columns.front())];
        line("- ", "Jobs:");
        for (const QString &job : entry.jobs)
            line("    ", job.toStdString() + ": true");
        line("  ", std::string(base ? "MaxBaseLevel: " : "MaxJobLevel: ") + std::to_string(curve.lastLevel));
        line("  ", base ? "BaseExp:" : "JobExp:");
        for (int32_t level = 1; level <= curve.lastLevel; ++level) {
            const uint64_t exp = level < curve.lastLevel ? curve.values[size_t(level - 1)]
                                 : base                  ? kBasePlaceholder
                                                         : kJobPlaceholder;
            line("    ", "- Level: " + std::to_string(level));
            line("      ", "Exp: " + std::to_string(exp));
        }
    }
    line({}, blockEndLine().toStdString());
    return out;
}

std::string wholeJobDatabase(const ExportedBlock &block, int version)
{
    const QString comment =
        QStringLiteral(
            "# Experiencia por nivel de la tabla «%1», escrita por %2 (vandrel-exp exportar).\n"
            "# En el servidor va en db/import/job_stats.yml, que carga después de sus propios archivos:\n"
            "# cópiela allí entera, o escriba en él con vandrel-exp exportar TABLA -o db/import/job_stats.yml,\n"
            "# que cambia solo el bloque entre las líneas >>> y <<< y deja el resto del archivo como está.\n")
            .arg(oneLine(block.tableName), Titulo());
    return comment.toStdString() + "Header:\n  Type: JOB_STATS\n  Version: " + std::to_string(version) + "\n\nBody:\n"
           + blockText(block, "  ", "\n");
}

QStringList checkExportedBlock(const ExportedBlock &block, const JobChain &chain)
{
    // Jobs whose warning reads the same but for their name share one line.
    std::vector<std::pair<QString, QStringList>> grouped;
    const auto warn = [&](const QString &name, const QString &tail) {
        for (auto &[text, names] : grouped)
            if (text == tail) {
                names << name;
                return;
            }
        grouped.push_back({tail, {name}});
    };
    for (const ExportedEntry &entry : block.entries) {
        const bool base = isBaseColumn(entry.columns.front());
        const ColumnCurve &curve = block.curves[size_t(entry.columns.front())];
        const QString kind = base ? QStringLiteral("base") : QStringLiteral("de trabajo");
        const QString column = columnsNamed(entry.columns);
        for (const QString &name : entry.jobs) {
            const LoadedJob *job = chain.find(name);
            if (!job) {
                warn(name, QStringLiteral(": el servidor no lo carga (la entrada se corta antes), así que no recibe la "
                                          "curva de %1.")
                               .arg(column));
                continue;
            }
            const JobLevels &levels = base ? job->base : job->job;
            if (levels.maximum != curve.lastLevel) {
                const QString where =
                    levels.maximumAt.isSet() ? chain.placeText(levels.maximumAt) : QStringLiteral("MAX_LEVEL, sin más");
                warn(name, (levels.capped ? QStringLiteral(": el nivel %1 máximo queda en %2 (%3): el servidor, "
                                                           "compilado con MAX_LEVEL %2, corta el %4 de %5.")
                                          : QStringLiteral(": el nivel %1 máximo queda en %2 (%3), no en el %4 de %5."))
                               .arg(kind)
                               .arg(levels.maximum)
                               .arg(where)
                               .arg(curve.lastLevel)
                               .arg(column));
                continue;
            }
            for (int level = 1; level < curve.lastLevel; ++level) {
                const uint64_t expected = curve.values[size_t(level - 1)];
                if (levels.at(level) == expected)
                    continue;
                const ChainPlace at = levels.placeOf(level);
                warn(name, QStringLiteral(": el nivel %1 %2 queda en %3 (%4), no en el %5 de %6.")
                               .arg(kind)
                               .arg(level)
                               .arg(levels.at(level))
                               .arg(at.isSet() ? chain.placeText(at) : QStringLiteral("ningún archivo lo da"))
                               .arg(expected)
                               .arg(column));
                break;
            }
        }
    }
    QStringList warnings;
    for (const auto &[tail, names] : grouped)
        warnings << jobNamesText(names) + tail;
    return warnings;
}

bool importJobDatabase(const JobChain &chain, ExperienceTable &table, QStringList *warnings, QString *error)
{
    ByColumn<ImportedColumn> columns;
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
        const char *name = kRepresentatives[classGroupOf(column)];
        const LoadedJob *job = chain.find(QString::fromLatin1(name));
        if (!job) {
            *error = QStringLiteral("ningún archivo da la experiencia de %1, que va a las columnas %2 y %3.")
                         .arg(QString::fromLatin1(name), columnName(baseColumnOf(classGroupOf(column))),
                              columnName(jobColumnOf(classGroupOf(column))));
            return false;
        }
        const JobLevels &levels = isBaseColumn(column) ? job->base : job->job;
        columns[size_t(column)] = {QString::fromLatin1(name), levels.maximum,
                                   levels.maximumAt.isSet() ? chain.placeText(levels.maximumAt) : QString(),
                                   &levels.exp};
    }
    return buildImportedTable(columns, table, warnings, error);
}

bool buildImportedTable(const ByColumn<ImportedColumn> &columns, ExperienceTable &table, QStringList *warnings,
                        QString *error)
{
    ByColumn<int> ends{};
    int rows = 0;
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
        const ImportedColumn &imported = columns[size_t(column)];
        int end = imported.maximum;
        for (int level = 1; level < imported.maximum; ++level)
            if (imported.at(level) == 0) {
                end = level;
                warnings->append(
                    QStringLiteral("%1 (columna %2): el nivel %3 no tiene experiencia y su máximo es %4%5: el "
                                   "personaje no pasa de ese nivel, y la columna termina en él.")
                        .arg(imported.job, columnName(column))
                        .arg(level)
                        .arg(imported.maximum)
                        .arg(imported.maximumAt.isEmpty() ? QString()
                                                          : QStringLiteral(" (%1)").arg(imported.maximumAt)));
                break;
            }
        ends[size_t(column)] = end;
        rows = std::max(rows, end);
    }
    if (rows > kMaxSavedRows) {
        *error = tooManyRowsMessage(rows);
        return false;
    }
    ExperienceTable built;
    built.setRowCount(1);
    built.reserveRows(size_t(rows));
    std::string packed;
    for (int level = 1; level <= rows; ++level) {
        packed.clear();
        for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
            if (column > kFirstValueColumn)
                packed += ',';
            packed +=
                level < ends[size_t(column)] ? std::to_string(columns[size_t(column)].at(level)) : std::string("0");
        }
        built.appendRow(level, packed);
    }
    table.swap(built);
    return true;
}
