// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "server/core/group_export.h"

#include "core/titulo.h"
#include "table/core/experience_table.h"

#include <algorithm>
#include <limits>
#include <map>

namespace {

constexpr uint64_t kLargestInt32 = 2147483647;
constexpr uint64_t kLargestInt64 = uint64_t(std::numeric_limits<int64_t>::max());
constexpr size_t kValuesPerLine = 10;

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString kindName(bool base)
{
    return base ? QStringLiteral("base") : QStringLiteral("de trabajo");
}

// A name as a // comment can carry it: no line end, no control character.
QString oneLine(QString text)
{
    for (QChar &c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = u'?';
    return text;
}

// One change to a file's bytes.
struct Edit
{
    size_t at, length;
    std::string text;
};

std::string applied(std::string_view text, std::vector<Edit> edits)
{
    std::sort(edits.begin(), edits.end(), [](const Edit &a, const Edit &b) { return a.at > b.at; });
    std::string out(text);
    for (const Edit &edit : edits)
        out.replace(edit.at, edit.length, edit.text);
    return out;
}

size_t lineStart(std::string_view text, size_t at)
{
    const size_t newline = at == 0 ? std::string_view::npos : text.rfind('\n', at - 1);
    return newline == std::string_view::npos ? 0 : newline + 1;
}

// The blanks that begin the line holding `at`.
std::string indentAt(std::string_view text, size_t at)
{
    const size_t start = lineStart(text, at);
    size_t end = start;
    while (end < text.size() && (text[end] == ' ' || text[end] == '\t'))
        ++end;
    return std::string(text.substr(start, end - start));
}

// Whether only blanks come before `at` on its line.
bool startsItsLine(std::string_view text, size_t at)
{
    const size_t start = lineStart(text, at);
    return text.substr(start, at - start).find_first_not_of(" \t") == std::string_view::npos;
}

std::string lineEndOf(std::string_view text)
{
    const size_t newline = text.find('\n');
    return newline != std::string_view::npos && newline > 0 && text[newline - 1] == '\r' ? "\r\n" : "\n";
}

// One level of indent, as the file writes it.
std::string indentUnit(std::string_view outer, std::string_view inner)
{
    if (inner.size() > outer.size() && inner.substr(0, outer.size()) == outer)
        return std::string(inner.substr(outer.size()));
    return outer.find(' ') != std::string_view::npos && outer.find('\t') == std::string_view::npos ? "    " : "\t";
}

// A column's group key: its kind and name.
using GroupKey = std::pair<bool, std::string>;

std::string groupText(const std::string &name, const ColumnCurve &curve, std::string_view indent, std::string_view unit,
                      std::string_view lineEnd)
{
    const std::string inner = std::string(indent) + std::string(unit);
    return std::string(indent) + name + ": {" + std::string(lineEnd) + inner
           + "MaxLevel: " + std::to_string(curve.lastLevel) + std::string(lineEnd) + inner
           + "Exp: " + expArrayText(curve.values, false, inner + std::string(unit), inner, lineEnd)
           + std::string(lineEnd) + std::string(indent) + "}";
}

// A name for a group split off `shared` for the column of `job`, at most
// kGroupNameBytes long, that no group of its kind has in any case.
std::string splitName(const std::string &shared, const char *job, bool base, const ExpGroupServer &server,
                      const std::vector<GroupKey> &taken)
{
    std::string stem = shared + "_" + job;
    if (stem.size() > kGroupNameBytes)
        stem = std::string(job) + (base ? "_Base" : "_Job");
    const auto used = [&](const std::string &name) {
        const QString lower = fromUtf8(name).toLower();
        for (const ExpGroup &group : server.groups())
            if (group.base == base && fromUtf8(group.name).toLower() == lower)
                return true;
        return std::any_of(taken.begin(), taken.end(), [&](const GroupKey &key) {
            return key.first == base && fromUtf8(key.second).toLower() == lower;
        });
    };
    std::string name = stem;
    for (int n = 2; used(name); ++n) {
        const std::string suffix = std::to_string(n);
        name = stem.substr(0, kGroupNameBytes - suffix.size()) + suffix;
    }
    return name;
}

// Where each column goes: the groups written with their columns, the groups
// split off, and for each of those the group it leaves and its columns.
struct GroupPlan
{
    std::vector<std::pair<GroupKey, std::vector<int>>> written;
    std::vector<GroupKey> added;
    std::map<std::string, std::pair<std::string, std::vector<int>>> moves[2]; // [base]: new name -> (shared, columns)
};

bool sameCurve(const ByColumn<ColumnCurve> &curves, int a, int b)
{
    return curves[size_t(a)].lastLevel == curves[size_t(b)].lastLevel
           && curves[size_t(a)].values == curves[size_t(b)].values;
}

// Columns sharing a group hold one curve, or, with `separate`, are split.
bool planGroups(const ByColumn<ColumnCurve> &curves, ByColumn<GroupKey> &keys, const ExpGroupServer &current,
                bool separate, const QString &linksName, GroupPlan *plan, QString *error)
{
    // Named references, not a structured binding: lambdas below capture them.
    auto &written = plan->written;
    auto &added = plan->added;
    auto &moves = plan->moves;
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
        const GroupKey &key = keys[size_t(column)];
        auto group = std::find_if(written.begin(), written.end(), [&](const auto &g) { return g.first == key; });
        if (group == written.end()) {
            written.push_back({key, {column}});
            continue;
        }
        if (sameCurve(curves, group->second.front(), column)) {
            group->second.push_back(column);
            continue;
        }
        if (!separate) {
            std::vector<int> columns = group->second;
            columns.push_back(column);
            *error = QStringLiteral("las columnas %1 usan un mismo grupo %2, %3 (%4), y tienen curvas distintas: el "
                                    "servidor solo puede dar una. Iguálelas, o exporte con --separar, que añade un "
                                    "grupo para cada curva distinta; no se ha escrito nada.")
                         .arg(columnsNamed(columns), kindName(key.first), fromUtf8(key.second), linksName);
            return false;
        }
        // A column whose curve equals one split off already joins it.
        const auto holderOf = [&](const GroupKey &k) {
            return std::find_if(written.begin(), written.end(), [&](const auto &g) { return g.first == k; });
        };
        const auto same = std::find_if(added.begin(), added.end(), [&](const GroupKey &k) {
            return moves[k.first][k.second].first == key.second
                   && sameCurve(curves, holderOf(k)->second.front(), column);
        });
        if (same != added.end()) {
            holderOf(*same)->second.push_back(column);
            moves[key.first][same->second].second.push_back(column);
            keys[size_t(column)] = *same;
            continue;
        }
        const bool base = key.first;
        const GroupKey split{base,
                             splitName(key.second, groupRepresentative(classGroupOf(column)), base, current, added)};
        added.push_back(split);
        written.push_back({split, {column}});
        moves[base][split.second] = {key.second, {column}};
        keys[size_t(column)] = split;
    }
    return true;
}

// A whole exp_group_db.conf of the planned groups.
std::string wholeGroupsFile(const GroupPlan &plan, const ByColumn<ColumnCurve> &curves, const QString &tableName)
{
    const std::string le = "\n";
    std::string made = QStringLiteral("// Grupos de experiencia de la tabla «%1», escritos por %2 (vandrel-exp "
                                      "exportar).\n// Cada grupo: MaxLevel y MaxLevel - 1 valores, la experiencia "
                                      "de cada nivel al siguiente.\n\n")
                           .arg(oneLine(tableName), Titulo())
                           .toStdString();
    for (const bool base : {true, false}) {
        made += std::string(base ? "base_exp_group_db" : "job_exp_group_db") + ": {" + le;
        for (const auto &[key, columns] : plan.written)
            if (key.first == base)
                made += groupText(key.second, curves[size_t(columns.front())], "\t", "\t", le) + le;
        made += "}" + le;
    }
    return made;
}

// The admin's exp_group_db.conf with the planned groups in it, every other byte kept.
bool editedGroupsFile(const GroupPlan &plan, const ByColumn<ColumnCurve> &curves, const ExpGroupServer &current,
                      std::string *groups, QStringList *addedGroups, QString *error)
{
    const ConfigFile &file = *current.file(kGroupsFile);
    const std::string_view text = file.text;
    const ConfigTree &tree = current.tree(kGroupsFile);
    const std::string le = lineEndOf(text);
    std::vector<Edit> edits;
    for (const auto &[key, columns] : plan.written) {
        const ColumnCurve &curve = curves[size_t(columns.front())];
        const int index = current.findGroup(key.first, key.second);
        const auto moved = plan.moves[key.first].find(key.second);
        const int anchor =
            moved != plan.moves[key.first].end() ? current.findGroup(key.first, moved->second.first) : -1;
        if (index >= 0) {
            const ExpGroup &group = current.groups()[size_t(index)];
            const ConfigNode &node = tree.node(group.node);
            const ConfigNode *exp = tree.member(node, "Exp");
            const ConfigNode *maxLevel = tree.member(node, "MaxLevel");
            const std::string expIndent = indentAt(text, exp->nameAt);
            const std::string_view arrayText = text.substr(exp->begin, exp->end - exp->begin);
            const bool oneLine = arrayText.find('\n') == std::string_view::npos;
            std::string elementIndent = expIndent + indentUnit(indentAt(text, node.nameAt), expIndent);
            std::string closeIndent = expIndent;
            if (!exp->children.empty() && !oneLine) {
                const ConfigNode &first = tree.node(exp->children.front());
                if (startsItsLine(text, first.begin))
                    elementIndent = indentAt(text, first.begin);
            }
            if (!oneLine && startsItsLine(text, exp->end - 1))
                closeIndent = indentAt(text, exp->end - 1);
            edits.push_back({exp->begin, exp->end - exp->begin,
                             expArrayText(curve.values, oneLine && curve.values.size() <= kValuesPerLine, elementIndent,
                                          closeIndent, le)});
            const std::string maximum = std::to_string(curve.lastLevel);
            if (maxLevel)
                edits.push_back({maxLevel->begin, maxLevel->end - maxLevel->begin, maximum});
            else
                edits.push_back({exp->nameAt, 0, "MaxLevel: " + maximum + le + expIndent});
            continue;
        }
        if (anchor >= 0) {
            // Next to the group it splits from.
            const ConfigNode &node = tree.node(current.groups()[size_t(anchor)].node);
            const std::string indent = indentAt(text, node.nameAt);
            const std::string unit = indentUnit(indent, indentAt(text, tree.member(node, "Exp")->nameAt));
            edits.push_back({node.end, 0, le + groupText(key.second, curve, indent, unit, le)});
        } else {
            // A group the links name and the file lacks: at the end of its root.
            const char *rootName = key.first ? "base_exp_group_db" : "job_exp_group_db";
            const ConfigNode *root = tree.member(tree.root(), rootName);
            if (!root || root->kind != ConfigNode::Group) {
                *error = QStringLiteral("%1 no tiene %2: el servidor no carga sus grupos; no se ha escrito nada.")
                             .arg(file.name, QString::fromLatin1(rootName));
                return false;
            }
            const std::string indent = root->children.empty()
                                           ? indentAt(text, root->nameAt) + "\t"
                                           : indentAt(text, tree.node(root->children.front()).nameAt);
            const std::string unit = indentUnit(indentAt(text, root->nameAt), indent);
            const size_t close = root->end - 1;
            const std::string made = groupText(key.second, curve, indent, unit, le);
            if (startsItsLine(text, close))
                edits.push_back({lineStart(text, close), 0, made + le});
            else
                edits.push_back({close, 0, le + made + le});
        }
        *addedGroups << QStringLiteral("%1 %2").arg(kindName(key.first), fromUtf8(key.second));
    }
    *groups = applied(text, std::move(edits));
    return true;
}

// The admin's job_db.conf with the links of the split columns' jobs moved,
// every other byte kept.
std::string editedLinksFile(const GroupPlan &plan, const ExpGroupServer &current, QStringList *movedJobs)
{
    const ConfigTree &tree = current.tree(kLinksFile);
    std::vector<Edit> edits;
    for (const uint32_t index : tree.root().children) {
        const ConfigNode &entry = tree.node(index);
        for (const bool base : {true, false}) {
            const int column = groupColumnOf(entry.name, base);
            if (column == 0)
                continue;
            const ConfigNode *link = tree.member(entry, base ? "BaseExpGroup" : "JobExpGroup");
            if (!link || link->kind != ConfigNode::String)
                continue;
            for (const auto &[name, move] : plan.moves[base]) {
                if (link->text != move.first
                    || std::find(move.second.begin(), move.second.end(), column) == move.second.end())
                    continue;
                edits.push_back({link->begin, link->end - link->begin, "\"" + name + "\""});
                const QString job = fromUtf8(entry.name);
                if (!movedJobs->contains(job))
                    *movedJobs << job;
            }
        }
    }
    return applied(current.file(kLinksFile)->text, std::move(edits));
}

} // namespace

std::string expArrayText(const std::vector<uint64_t> &values, bool oneLine, std::string_view elementIndent,
                         std::string_view closeIndent, std::string_view lineEnd)
{
    const bool wide = std::any_of(values.begin(), values.end(), [](uint64_t v) { return v > kLargestInt32; });
    const auto number = [&](uint64_t v) { return std::to_string(v) + (wide ? "L" : ""); };
    if (values.empty())
        return "[ ]";
    std::string out = "[";
    if (oneLine) {
        for (size_t i = 0; i < values.size(); ++i)
            out += (i ? ", " : " ") + number(values[i]);
        return out + " ]";
    }
    out += lineEnd;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i % kValuesPerLine == 0)
            out += elementIndent;
        out += number(values[i]);
        if (i + 1 < values.size())
            out += (i % kValuesPerLine == kValuesPerLine - 1) ? std::string(",") + std::string(lineEnd) : ", ";
    }
    return out + std::string(lineEnd) + std::string(closeIndent) + "]";
}

bool exportExpGroups(const ExperienceTable &table, const QString &tableName, const ExpGroupServer &current,
                     bool separate, GroupExport *result, QString *error)
{
    GroupExport out;
    out.tableName = tableName;
    if (!readColumnCurves(table, &out.curves, error))
        return false;
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
        const ColumnCurve &curve = out.curves[size_t(column)];
        if (std::any_of(curve.values.begin(), curve.values.end(), [](uint64_t v) { return v > kLargestInt64; })) {
            *error = QStringLiteral("la columna %1 tiene un valor por encima de 9223372036854775807, que estos "
                                    "servidores no pueden leer ni con L; no se ha escrito nada.")
                         .arg(columnName(column));
            return false;
        }
    }
    const ConfigFile *groupsFile = current.file(kGroupsFile);
    const ConfigFile *linksFile = current.linksLoaded() ? current.file(kLinksFile) : nullptr;
    const QString linksName = linksFile ? linksFile->name : QStringLiteral("job_db.conf");
    if (separate && !linksFile) {
        *error = QStringLiteral("--separar necesita el job_db.conf del servidor (--trabajos): es allí donde cambia el "
                                "grupo de los trabajos; no se ha escrito nada.");
        return false;
    }

    // Each column's group: its representative's link.
    ByColumn<GroupKey> keys;
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
        const bool base = isBaseColumn(column);
        const char *rep = groupRepresentative(classGroupOf(column));
        const LinkedJob *job = current.job(QString::fromLatin1(rep));
        const std::string name = job ? (base ? job->baseName : job->jobName) : std::string();
        if (name.empty()) {
            *error = QStringLiteral("%1 no da grupo %2 a %3, que es el de la columna %4; no se ha escrito nada.")
                         .arg(linksName, kindName(base), QString::fromLatin1(rep), columnName(column));
            return false;
        }
        if (name.size() > kGroupNameBytes) {
            *error = QStringLiteral("%1 nombra para %2 el grupo %3 «%4», de más de %5 bytes: el servidor no lo "
                                    "encuentra; no se ha escrito nada.")
                         .arg(linksName, QString::fromLatin1(rep), kindName(base), fromUtf8(name))
                         .arg(kGroupNameBytes);
            return false;
        }
        keys[size_t(column)] = {base, name};
    }

    GroupPlan plan;
    if (!planGroups(out.curves, keys, current, separate, linksName, &plan, error))
        return false;
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column)
        out.groupOf[size_t(column)] = keys[size_t(column)].second;
    const bool whole = !groupsFile || groupsFile->text.find_first_not_of(" \t\r\n") == std::string::npos;
    if (whole)
        out.groups = wholeGroupsFile(plan, out.curves, tableName);
    else if (!editedGroupsFile(plan, out.curves, current, &out.groups, &out.addedGroups, error))
        return false;
    if (linksFile && !plan.added.empty())
        out.links = editedLinksFile(plan, current, &out.movedJobs);
    for (const GroupKey &key : plan.added) {
        const auto &move = plan.moves[key.first][key.second];
        out.warnings << QStringLiteral("%1: grupo %2 nuevo, %3, junto a %4.")
                            .arg(columnsNamed(move.second), kindName(key.first), fromUtf8(key.second),
                                 fromUtf8(move.first));
    }
    *result = std::move(out);
    return true;
}

QStringList checkExportedGroups(const GroupExport &exported, const ExpGroupServer &loaded)
{
    QStringList warnings;
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
        const bool base = isBaseColumn(column);
        const QString rep = QString::fromLatin1(groupRepresentative(classGroupOf(column)));
        const ColumnCurve &curve = exported.curves[size_t(column)];
        const LinkedJob *job = loaded.job(rep);
        const int index = job ? (base ? job->base : job->job) : -1;
        if (index < 0) {
            warnings << QStringLiteral("%1 (columna %2): el servidor no le encuentra grupo %3, así que no sube de "
                                       "nivel.")
                            .arg(rep, columnName(column), kindName(base));
            continue;
        }
        const ExpGroup &group = loaded.groups()[size_t(index)];
        if (group.maximum != curve.lastLevel) {
            warnings << QStringLiteral("%1 (columna %2): el nivel %3 máximo queda en %4%5, no en el %6 de la columna.")
                            .arg(rep, columnName(column), kindName(base))
                            .arg(group.maximum)
                            .arg(group.capped ? QStringLiteral(" (el servidor, compilado con MAX_LEVEL %1, lo corta)")
                                                    .arg(loaded.maxLevel())
                                              : QString())
                            .arg(curve.lastLevel);
            continue;
        }
        for (int level = 1; level < curve.lastLevel; ++level)
            if (group.exp[size_t(level - 1)] != curve.values[size_t(level - 1)]) {
                warnings << QStringLiteral("%1 (columna %2): el nivel %3 %4 queda en %5, no en %6.")
                                .arg(rep, columnName(column), kindName(base))
                                .arg(level)
                                .arg(group.exp[size_t(level - 1)])
                                .arg(curve.values[size_t(level - 1)]);
                break;
            }
    }
    return warnings;
}

bool importExpGroups(const ExpGroupServer &server, ExperienceTable &table, QStringList *warnings, QString *error)
{
    ByColumn<ImportedColumn> columns;
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
        const bool base = isBaseColumn(column);
        const char *rep = groupRepresentative(classGroupOf(column));
        const LinkedJob *job = server.job(QString::fromLatin1(rep));
        const int index = job ? (base ? job->base : job->job) : -1;
        if (index < 0) {
            *error = QStringLiteral("%1 no tiene grupo %2 en el servidor, y es el de la columna %3.")
                         .arg(QString::fromLatin1(rep), kindName(base), columnName(column));
            return false;
        }
        const ExpGroup &group = server.groups()[size_t(index)];
        columns[size_t(column)] = {QString::fromLatin1(rep), group.maximum,
                                   group.capped ? QString() : server.placeText(group.place), &group.exp};
    }
    return buildImportedTable(columns, table, warnings, error);
}
