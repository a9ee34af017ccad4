// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "server/core/job_database.h"

#include "core/titulo.h"
#include "table/core/experience_table.h"
#include "server/core/table_check.h"
#include "table/core/table_file.h"

#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>

namespace {

// The placeholders the servers' own files give at a group's maximum level.
constexpr uint64_t kBasePlaceholder = 99999999;
constexpr uint64_t kJobPlaceholder = 999999999;
// The smallest level limit a server is built with: a larger maximum is cut to it.
constexpr int kSmallestServerLimit = 175;

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

// One job per class group, for both its columns: what importar reads.
constexpr const char *kReadJobs[8] = {nullptr,       "Novice",      "Swordman",      "Knight",
                                      "Supernovice", "Novice_High", "Swordman_High", "Lord_Knight"};

std::span<const ListedJob> listFor(int column)
{
    return column <= 7 ? std::span<const ListedJob>(kBaseJobs) : std::span<const ListedJob>(kJobJobs);
}

constexpr uint64_t kLargestExp = std::numeric_limits<uint64_t>::max();

// A whole number of plain decimal digits, from 0 to `largest`.
std::optional<uint64_t> plainNumber(std::string_view text, uint64_t largest = kLargestExp)
{
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    uint64_t number = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (failure != std::errc() || end != text.data() + text.size() || number > largest)
        return std::nullopt;
    return number;
}

// ---------------------------------------------------------------- exportar

struct ColumnCurve
{
    std::vector<uint64_t> values; // levels 1 .. last - 1
    int32_t lastLevel = 0;
    bool reachesZero = true;
};

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

qint64 fileLineOf(const ExperienceTable &table, int32_t row)
{
    return fileLinesOfRows(table, {row}).front();
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
        const qint64 line = fileLineOf(table, row);
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

// The entry of one or more equal columns, written as the servers' files are.
void emitEntry(YAML::Emitter &out, const std::vector<int> &columns, const ColumnCurve &curve)
{
    const bool base = columns.front() <= 7;
    out << YAML::BeginMap << YAML::Key << "Jobs" << YAML::Value << YAML::BeginMap;
    for (const ListedJob &job : listFor(columns.front()))
        if (std::find(columns.begin(), columns.end(), job.column) != columns.end())
            out << YAML::Key << job.name << YAML::Value << true;
    out << YAML::EndMap;
    out << YAML::Key << (base ? "MaxBaseLevel" : "MaxJobLevel") << YAML::Value << curve.lastLevel;
    out << YAML::Key << (base ? "BaseExp" : "JobExp") << YAML::Value << YAML::BeginSeq;
    for (int32_t level = 1; level <= curve.lastLevel; ++level) {
        const uint64_t exp = level < curve.lastLevel ? curve.values[size_t(level - 1)]
                             : base                  ? kBasePlaceholder
                                                     : kJobPlaceholder;
        out << YAML::BeginMap << YAML::Key << "Level" << YAML::Value << level << YAML::Key << "Exp" << YAML::Value
            << exp << YAML::EndMap;
    }
    out << YAML::EndSeq << YAML::EndMap;
}

// ---------------------------------------------------------------- importar

// Where a node stands, as messages give it: "archivo:línea:columna".
QString placeOf(const QString &file, const YAML::Node &node)
{
    const YAML::Mark mark = node.Mark();
    return QStringLiteral("%1:%2:%3").arg(file).arg(mark.line + 1).arg(mark.column + 1);
}

// One job's base or job experience as the entries so far leave it.
struct JobCurve
{
    int maximum = 0; // 0: no entry gave it
    QString maximumPlace;
    std::map<int, uint64_t> exp;
};

struct ReadJob
{
    JobCurve base, job;
};

// Names as the servers match them: without regard to case, and the two
// spellings of the Super Novice as one.
QString matchingName(const std::string &name)
{
    QString key = QString::fromUtf8(name).toLower();
    if (key == QStringLiteral("super_novice"))
        key = QStringLiteral("supernovice");
    return key;
}

class Importer
{
public:
    Importer()
    {
        for (int group = 1; group <= 7; ++group)
            byName_.emplace(matchingName(kReadJobs[group]), group);
    }

    bool apply(const JobDatabaseFile &file, QString *error)
    {
        file_ = file.name;
        error_ = error;
        YAML::Node root;
        try {
            root = YAML::Load(file.text);
        } catch (const YAML::ParserException &failure) {
            return fail(QStringLiteral("%1:%2:%3: no es un documento YAML válido.")
                            .arg(file_)
                            .arg(failure.mark.line + 1)
                            .arg(failure.mark.column + 1));
        }
        try {
            return readDocument(root);
        } catch (const YAML::Exception &) { // a conversion the checks below did not foresee
            return fail(QStringLiteral("%1: no tiene la forma de una base de datos de experiencia.").arg(file_));
        }
    }

    bool fill(ExperienceTable &table, QString *error) const
    {
        int rows = 0;
        for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
            const JobCurve &curve = curveOf(column);
            const char *kind = column <= 7 ? "MaxBaseLevel" : "MaxJobLevel";
            const char *job = kReadJobs[column <= 7 ? column : column - 7];
            if (curve.maximum == 0) {
                *error = QStringLiteral("ningún archivo da %1 de %2, cuya experiencia va a la columna %3.")
                             .arg(QString::fromLatin1(kind), QString::fromLatin1(job), columnName(column));
                return false;
            }
            for (int level = 1; level < curve.maximum; ++level)
                if (!curve.exp.contains(level)) {
                    *error = QStringLiteral("falta la experiencia del nivel %1 de %2 (columna %3), cuyo %4 es %5 "
                                            "(%6).")
                                 .arg(level)
                                 .arg(QString::fromLatin1(job), columnName(column), QString::fromLatin1(kind))
                                 .arg(curve.maximum)
                                 .arg(curve.maximumPlace);
                    return false;
                }
            rows = std::max(rows, curve.maximum);
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
                const JobCurve &curve = curveOf(column);
                if (column > kFirstValueColumn)
                    packed += ',';
                packed += level < curve.maximum ? std::to_string(curve.exp.at(level)) : std::string("0");
            }
            built.appendRow(level, packed);
        }
        table.swap(built);
        return true;
    }

private:
    bool fail(const QString &message)
    {
        *error_ = message;
        return false;
    }

    bool failAt(const YAML::Node &node, const QString &what)
    {
        return fail(placeOf(file_, node) + QStringLiteral(": ") + what);
    }

    const JobCurve &curveOf(int column) const
    {
        const ReadJob &job = jobs_[size_t(column <= 7 ? column : column - 7)];
        return column <= 7 ? job.base : job.job;
    }

    bool readDocument(const YAML::Node &root)
    {
        if (!root.IsMap() || !root["Header"])
            return fail(QStringLiteral("%1: no es una base de datos de experiencia: le falta la cabecera (Header).")
                            .arg(file_));
        const YAML::Node header = root["Header"];
        const YAML::Node type = header["Type"];
        if (!type || !type.IsScalar() || type.Scalar() != "JOB_STATS")
            return failAt(
                type ? type : header,
                QStringLiteral("la cabecera dice Type: %1, y una base de datos de experiencia dice "
                               "JOB_STATS.")
                    .arg(type && type.IsScalar() ? QString::fromUtf8(type.Scalar()) : QStringLiteral("(nada)")));
        const YAML::Node version = header["Version"];
        if (!version || !version.IsScalar() || version.Scalar() != "2")
            return failAt(version ? version : header,
                          QStringLiteral("la cabecera dice Version: %1, y se lee la versión 2 (los servidores de hoy "
                                         "rechazan la 1).")
                              .arg(version && version.IsScalar() ? QString::fromUtf8(version.Scalar())
                                                                 : QStringLiteral("(nada)")));
        const YAML::Node body = root["Body"];
        if (!body || body.IsNull())
            return true;
        if (!body.IsSequence())
            return failAt(body, QStringLiteral("Body debe ser una lista de entradas."));
        for (const YAML::Node &entry : body)
            if (!readEntry(entry))
                return false;
        return true;
    }

    bool readEntry(const YAML::Node &entry)
    {
        if (!entry.IsMap())
            return failAt(entry,
                          QStringLiteral("cada entrada de Body debe ser un mapa (Jobs, MaxBaseLevel, BaseExp…)."));
        const YAML::Node jobs = entry["Jobs"];
        if (!jobs || !jobs.IsMap())
            return failAt(jobs ? jobs : entry, QStringLiteral("la entrada no tiene Jobs, el mapa de sus oficios."));
        std::vector<int> groups; // the read jobs this entry names
        for (const auto &pair : jobs) {
            if (!pair.first.IsScalar())
                return failAt(pair.first, QStringLiteral("en Jobs, cada clave es el nombre de un oficio."));
            bool listed = false;
            if (!pair.second.IsScalar() || !YAML::convert<bool>::decode(pair.second, listed))
                return failAt(
                    pair.second,
                    QStringLiteral("en Jobs, %1 debe ser true o false.").arg(QString::fromUtf8(pair.first.Scalar())));
            const auto found = byName_.find(matchingName(pair.first.Scalar()));
            if (listed && found != byName_.end())
                groups.push_back(found->second);
        }
        return readCurve(entry, "MaxBaseLevel", "BaseExp", &ReadJob::base, groups)
               && readCurve(entry, "MaxJobLevel", "JobExp", &ReadJob::job, groups);
    }

    std::optional<uint64_t> numberAt(const YAML::Node &node, const char *key, uint64_t smallest, uint64_t largest)
    {
        const YAML::Node value = node[key];
        if (!value) {
            failAt(node, QStringLiteral("le falta %1.").arg(QString::fromLatin1(key)));
            return std::nullopt;
        }
        const std::optional<uint64_t> number = value.IsScalar() ? plainNumber(value.Scalar(), largest) : std::nullopt;
        if (!number || *number < smallest) {
            failAt(value, QStringLiteral("%1: «%2» no es un número entero de %3 a %4.")
                              .arg(QString::fromLatin1(key),
                                   value.IsScalar() ? shownValue(value.Scalar()) : QStringLiteral("…"))
                              .arg(smallest)
                              .arg(largest));
            return std::nullopt;
        }
        return number;
    }

    bool readCurve(const YAML::Node &entry, const char *maximumKey, const char *itemsKey, JobCurve ReadJob::*which,
                   const std::vector<int> &groups)
    {
        if (entry[maximumKey]) {
            const std::optional<uint64_t> maximum = numberAt(entry, maximumKey, 1, UINT16_MAX);
            if (!maximum)
                return false;
            for (int group : groups) {
                (jobs_[size_t(group)].*which).maximum = int(*maximum);
                (jobs_[size_t(group)].*which).maximumPlace = placeOf(file_, entry[maximumKey]);
            }
        }
        const YAML::Node items = entry[itemsKey];
        if (!items)
            return true;
        if (!items.IsSequence())
            return failAt(
                items,
                QStringLiteral("%1 debe ser una lista de niveles (Level, Exp).").arg(QString::fromLatin1(itemsKey)));
        for (const YAML::Node &item : items) {
            if (!item.IsMap())
                return failAt(
                    item,
                    QStringLiteral("cada elemento de %1 debe tener Level y Exp.").arg(QString::fromLatin1(itemsKey)));
            const std::optional<uint64_t> level = numberAt(item, "Level", 1, UINT16_MAX);
            const std::optional<uint64_t> exp = level ? numberAt(item, "Exp", 0, kLargestExp) : std::nullopt;
            if (!exp)
                return false;
            for (int group : groups) {
                JobCurve &curve = jobs_[size_t(group)].*which;
                // A server skips a level past the maximum it knows by then.
                if (curve.maximum == 0 || int(*level) <= curve.maximum)
                    curve.exp[int(*level)] = *exp;
            }
        }
        return true;
    }

    std::map<QString, int> byName_;
    std::array<ReadJob, 8> jobs_; // by class group, 1 to 7
    QString file_;
    QString *error_ = nullptr;
};

} // namespace

bool exportJobDatabase(const ExperienceTable &table, const QString &tableName, JobDatabaseExport *result,
                       QString *error)
{
    std::array<ColumnCurve, 15> curves;
    bool anyLevel = false;
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
        if (!readColumn(table, column, &curves[size_t(column)], error))
            return false;
        anyLevel = anyLevel || curves[size_t(column)].lastLevel > 1;
    }
    if (!anyLevel) {
        *error = table.rowCount() > 1 ? QStringLiteral("la tabla no tiene ningún nivel: su primera fila ya es 0 en "
                                                       "todas las columnas; no se ha escrito nada.")
                                      : QStringLiteral("la tabla no tiene ningún nivel; no se ha escrito nada.");
        return false;
    }

    // Equal columns of one kind (base or job) share the entry of the first.
    std::vector<std::vector<int>> entries;
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
        const ColumnCurve &curve = curves[size_t(column)];
        auto same = std::find_if(entries.begin(), entries.end(), [&](const std::vector<int> &entry) {
            const ColumnCurve &other = curves[size_t(entry.front())];
            return (entry.front() <= 7) == (column <= 7) && other.lastLevel == curve.lastLevel
                   && other.values == curve.values;
        });
        if (same != entries.end())
            same->push_back(column);
        else
            entries.push_back({column});
    }

    for (const std::vector<int> &entry : entries) {
        const ColumnCurve &curve = curves[size_t(entry.front())];
        if (curve.lastLevel > UINT16_MAX) {
            *error = QStringLiteral("%1: el último nivel sería %2, y un nivel de la base de datos llega a %3; no se "
                                    "ha escrito nada.")
                         .arg(columnsNamed(entry))
                         .arg(curve.lastLevel)
                         .arg(UINT16_MAX);
            return false;
        }
        if (curve.lastLevel > kSmallestServerLimit)
            result->warnings << QStringLiteral("%1: el último nivel es %2, y un servidor compilado con un límite "
                                               "menor (%3 en los antiguos; 250 o 275 en los nuevos) lo corta a ese "
                                               "límite.")
                                    .arg(columnsNamed(entry))
                                    .arg(curve.lastLevel)
                                    .arg(kSmallestServerLimit);
    }

    // Columns that never reach 0 all end after the last row: one warning.
    std::vector<int> endless;
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column)
        if (!curves[size_t(column)].reachesZero)
            endless.push_back(column);
    if (!endless.empty())
        result->warnings.prepend(QStringLiteral("%1: ningún valor es 0, así que el último nivel es %2, el de la fila "
                                                "que sigue a la última, como lo ve el servidor.")
                                     .arg(columnsNamed(endless))
                                     .arg(table.rowCount()));

    YAML::Emitter header;
    header << YAML::Comment(QStringLiteral("Experiencia por nivel de la tabla «%1», escrita por %2 (vandrel-exp "
                                           "exportar).\nPara un servidor, guárdela como db/import/job_exp.yml: el "
                                           "servidor la carga tras\nsu propio db/job_exp.yml y toma de ella los "
                                           "oficios y niveles que da.")
                                .arg(tableName, Titulo())
                                .toStdString());
    header << YAML::BeginMap << YAML::Key << "Header" << YAML::Value << YAML::BeginMap << YAML::Key << "Type"
           << YAML::Value << "JOB_STATS" << YAML::Key << "Version" << YAML::Value << 2 << YAML::EndMap << YAML::EndMap;
    YAML::Emitter body;
    body << YAML::BeginMap << YAML::Key << "Body" << YAML::Value << YAML::BeginSeq;
    for (const std::vector<int> &entry : entries)
        emitEntry(body, entry, curves[size_t(entry.front())]);
    body << YAML::EndSeq << YAML::EndMap;
    result->yaml = std::string(header.c_str()) + "\n\n" + body.c_str() + "\n";
    return true;
}

bool importJobDatabase(std::span<const JobDatabaseFile> files, ExperienceTable &table, QString *error)
{
    Importer importer;
    for (const JobDatabaseFile &file : files)
        if (!importer.apply(file, error))
            return false;
    return importer.fill(table, error);
}
