// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "server/core/exp_groups.h"

#include "table/core/experience_table.h"

#include <QHash>

#include <algorithm>
#include <limits>

namespace {

// The jobs this family's servers know (their job_db.conf names every one).
// clang-format off
constexpr const char *kJobs[] = {
    "Novice", "Swordsman", "Magician", "Archer", "Acolyte", "Merchant", "Thief", "Knight", "Priest", "Wizard",
    "Blacksmith", "Hunter", "Assassin", "Crusader", "Monk", "Sage", "Rogue", "Alchemist", "Bard", "Dancer",
    "Super_Novice", "Gunslinger", "Ninja", "Taekwon", "Star_Gladiator", "Soul_Linker", "Gangsi", "Death_Knight",
    "Dark_Collector", "Novice_High", "Swordsman_High", "Magician_High", "Archer_High", "Acolyte_High", "Merchant_High",
    "Thief_High", "Lord_Knight", "High_Priest", "High_Wizard", "Whitesmith", "Sniper", "Assassin_Cross", "Paladin",
    "Champion", "Professor", "Stalker", "Creator", "Clown", "Gypsy", "Baby_Novice", "Baby_Swordsman", "Baby_Magician",
    "Baby_Archer", "Baby_Acolyte", "Baby_Merchant", "Baby_Thief", "Baby_Knight", "Baby_Priest", "Baby_Wizard",
    "Baby_Blacksmith", "Baby_Hunter", "Baby_Assassin", "Baby_Crusader", "Baby_Monk", "Baby_Sage", "Baby_Rogue",
    "Baby_Alchemist", "Baby_Bard", "Baby_Dancer", "Super_Baby", "Rune_Knight", "Warlock", "Ranger", "Arch_Bishop",
    "Mechanic", "Guillotine_Cross", "Rune_Knight_Trans", "Warlock_Trans", "Ranger_Trans", "Arch_Bishop_Trans",
    "Mechanic_Trans", "Guillotine_Cross_Trans", "Royal_Guard", "Sorcerer", "Minstrel", "Wanderer", "Sura", "Genetic",
    "Shadow_Chaser", "Royal_Guard_Trans", "Sorcerer_Trans", "Minstrel_Trans", "Wanderer_Trans", "Sura_Trans",
    "Genetic_Trans", "Shadow_Chaser_Trans", "Baby_Rune_Knight", "Baby_Warlock", "Baby_Ranger", "Baby_Arch_Bishop",
    "Baby_Mechanic", "Baby_Guillotine_Cross", "Baby_Royal_Guard", "Baby_Sorcerer", "Baby_Minstrel", "Baby_Wanderer",
    "Baby_Sura", "Baby_Genetic", "Baby_Shadow_Chaser", "Expanded_Super_Novice", "Expanded_Super_Baby", "Kagerou",
    "Oboro", "Rebellion", "Summoner", "Baby_Summoner", "Baby_Ninja", "Baby_Kagerou", "Baby_Oboro", "Baby_Taekwon",
    "Baby_Star_Gladiator", "Baby_Soul_Linker", "Baby_Gunslinger", "Baby_Rebellion", "Star_Emperor", "Soul_Reaper",
    "Baby_Star_Emperor", "Baby_Soul_Reaper",
};
// clang-format on
static_assert(std::size(kJobs) == 128);

constexpr const char *kRepresentatives[kBaseColumns + 1] = {
    nullptr, "Novice", "Swordsman", "Knight", "Super_Novice", "Novice_High", "Swordsman_High", "Lord_Knight"};

constexpr const char *kShippedGroups[kColumnCount] = {nullptr,
                                                      "FirstClasses",
                                                      "FirstClasses",
                                                      "FirstClasses",
                                                      "FirstClasses",
                                                      "TranscendedClasses",
                                                      "TranscendedClasses",
                                                      "TranscendedClasses",
                                                      "Novice",
                                                      "FirstClasses",
                                                      "SecondClasses",
                                                      "SuperNovice",
                                                      "HighNovice",
                                                      "TranscendedFirstClasses",
                                                      "TranscendedSecondClasses"};

struct ColumnJobs
{
    int column;
    std::array<const char *, 28> jobs;
};

// The jobs whose curve a column gives, as the YAML family's lists give them.
constexpr ColumnJobs kColumnJobs[] = {
    {1, {"Novice", "Baby_Novice"}},
    {2,
     {"Swordsman", "Magician", "Archer", "Acolyte", "Merchant", "Thief", "Taekwon", "Gunslinger", "Ninja",
      "Baby_Swordsman", "Baby_Magician", "Baby_Archer", "Baby_Acolyte", "Baby_Merchant", "Baby_Thief"}},
    {3, {"Knight",          "Priest",         "Wizard",        "Blacksmith",    "Hunter",      "Assassin",
         "Crusader",        "Monk",           "Sage",          "Rogue",         "Alchemist",   "Bard",
         "Dancer",          "Star_Gladiator", "Soul_Linker",   "Baby_Knight",   "Baby_Priest", "Baby_Wizard",
         "Baby_Blacksmith", "Baby_Hunter",    "Baby_Assassin", "Baby_Crusader", "Baby_Monk",   "Baby_Sage",
         "Baby_Rogue",      "Baby_Alchemist", "Baby_Bard",     "Baby_Dancer"}},
    {4, {"Super_Novice", "Super_Baby"}},
    {5, {"Novice_High"}},
    {6, {"Swordsman_High", "Magician_High", "Archer_High", "Acolyte_High", "Merchant_High", "Thief_High"}},
    {7,
     {"Lord_Knight", "High_Priest", "High_Wizard", "Whitesmith", "Sniper", "Assassin_Cross", "Paladin", "Champion",
      "Professor", "Stalker", "Creator", "Clown", "Gypsy"}},
    {8, {"Novice", "Baby_Novice"}},
    {9,
     {"Swordsman", "Magician", "Archer", "Acolyte", "Merchant", "Thief", "Taekwon", "Baby_Swordsman", "Baby_Magician",
      "Baby_Archer", "Baby_Acolyte", "Baby_Merchant", "Baby_Thief"}},
    {10,
     {"Knight",      "Priest",      "Wizard",      "Blacksmith",      "Hunter",      "Assassin",      "Crusader",
      "Monk",        "Sage",        "Rogue",       "Alchemist",       "Bard",        "Dancer",        "Soul_Linker",
      "Baby_Knight", "Baby_Priest", "Baby_Wizard", "Baby_Blacksmith", "Baby_Hunter", "Baby_Assassin", "Baby_Crusader",
      "Baby_Monk",   "Baby_Sage",   "Baby_Rogue",  "Baby_Alchemist",  "Baby_Bard",   "Baby_Dancer"}},
    {11, {"Super_Novice", "Super_Baby"}},
    {12, {"Novice_High"}},
    {13, {"Swordsman_High", "Magician_High", "Archer_High", "Acolyte_High", "Merchant_High", "Thief_High"}},
    {14,
     {"Lord_Knight", "High_Priest", "High_Wizard", "Whitesmith", "Sniper", "Assassin_Cross", "Paladin", "Champion",
      "Professor", "Stalker", "Creator", "Clown", "Gypsy"}},
};

// The homunculus database names these base groups.
constexpr const char *kHomunculusGroups[] = {"Homunculus", "HomunculusS"};

QString lowered(std::string_view name)
{
    return QString::fromUtf8(name.data(), qsizetype(name.size())).toLower();
}

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString kindName(bool base)
{
    return base ? QStringLiteral("base") : QStringLiteral("de trabajo");
}

const char *rootName(bool base)
{
    return base ? "base_exp_group_db" : "job_exp_group_db";
}

// A MaxLevel as the server reads it: an integer that fits in 32 bits.
std::optional<int64_t> readMaxLevel(const ConfigNode *node)
{
    if (!node || (node->kind != ConfigNode::Integer && node->kind != ConfigNode::Integer64))
        return std::nullopt;
    if (node->integer < std::numeric_limits<int32_t>::min() || node->integer > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return node->integer;
}

} // namespace

struct ExpGroupServer::State
{
    int maxLevel;
    std::array<std::optional<ConfigFile>, 2> files;
    std::array<ConfigTree, 2> trees;
    bool linksFromFile = false;
    std::vector<ExpGroup> groups;
    std::vector<LinkedJob> jobs;
    QHash<QString, int> jobIndex; // by lower-case name
    std::vector<GroupNote> notes;

    GroupPlace placeAt(int file, size_t at) const
    {
        const auto [line, column] = trees[size_t(file)].placeOf(at);
        return {file, line, column};
    }

    void note(const char *code, bool error, GroupPlace place, QString message)
    {
        notes.push_back({code, error, place, std::move(message)});
    }

    // Reads file `index` into its tree; a refusal, with its place, for a file the server fails whole.
    std::optional<GroupRefusal> parse(int index)
    {
        ConfigTree &tree = trees[size_t(index)];
        const std::optional<ConfigFailure> failure = tree.parse(files[size_t(index)]->text, kMaxConfigNodes);
        if (!failure)
            return std::nullopt;
        // The place first: the tree is then emptied, as nothing of the file loads.
        GroupRefusal refusal{placeAt(index, failure->at), failure->message,
                             failure->mixedIntegers ? "mezcla_l" : "no_se_carga", failure->bound};
        tree = ConfigTree();
        tree.parse({}, 1);
        return refusal;
    }

    void loadRoot(bool base);
    LinkedJob &jobNamed(const char *name, GroupPlace place);
};

ExpGroupServer::ExpGroupServer(int maxLevel) : state_(std::make_unique<State>())
{
    state_->maxLevel = maxLevel;
}

ExpGroupServer::~ExpGroupServer() = default;
ExpGroupServer::ExpGroupServer(ExpGroupServer &&) noexcept = default;
ExpGroupServer &ExpGroupServer::operator=(ExpGroupServer &&) noexcept = default;

int ExpGroupServer::maxLevel() const
{
    return state_->maxLevel;
}

std::optional<GroupRefusal> ExpGroupServer::loadGroups(ConfigFile file)
{
    State &s = *state_;
    s.files[kGroupsFile] = std::move(file);
    s.groups.clear();
    s.notes.clear();
    ConfigTree &tree = s.trees[kGroupsFile];
    if (std::optional<GroupRefusal> refusal = s.parse(kGroupsFile))
        return refusal;
    const ConfigNode *baseRoot = tree.member(tree.root(), rootName(true));
    if (!baseRoot || baseRoot->kind != ConfigNode::Group) {
        s.note("sin_raiz", true, {kGroupsFile, 1, 1},
               QStringLiteral("no hay un grupo base_exp_group_db: el servidor no carga ningún grupo de experiencia."));
        return std::nullopt;
    }
    s.loadRoot(true);
    const ConfigNode *jobRoot = tree.member(tree.root(), rootName(false));
    if (!jobRoot || jobRoot->kind != ConfigNode::Group)
        s.note("sin_raiz", true, {kGroupsFile, 1, 1},
               QStringLiteral("no hay un grupo job_exp_group_db: el servidor no carga ningún grupo de experiencia de "
                              "trabajo."));
    else
        s.loadRoot(false);
    return std::nullopt;
}

void ExpGroupServer::State::loadRoot(bool base)
{
    const ConfigTree &tree = trees[kGroupsFile];
    const ConfigNode &root = *tree.member(tree.root(), rootName(base));
    for (const uint32_t index : root.children) {
        const ConfigNode &node = tree.node(index);
        const GroupPlace place = placeAt(kGroupsFile, node.nameAt);
        const QString shownName = fromUtf8(node.name);
        const ConfigNode *exp = tree.member(node, "Exp");
        if (!exp || exp->kind != ConfigNode::Array) {
            note("sin_exp", true, place,
                 QStringLiteral("el grupo %1 %2 no tiene un Exp escrito [ … ]: el servidor no lo carga.")
                     .arg(kindName(base), shownName));
            continue;
        }
        ExpGroup group;
        group.base = base;
        group.written = node.name;
        group.name = node.name.substr(0, kGroupNameBytes);
        group.place = place;
        group.node = index;
        if (group.written.size() > kGroupNameBytes)
            note("nombre_largo", false, place,
                 QStringLiteral("el nombre del grupo %1 %2 pasa de %3 bytes: el servidor guarda solo «%4», y un "
                                "trabajo que lo nombre entero no lo encuentra.")
                     .arg(kindName(base), shownName)
                     .arg(kGroupNameBytes)
                     .arg(fromUtf8(group.name)));
        const ConfigNode *maxNode = tree.member(node, "MaxLevel");
        const std::optional<int64_t> written = readMaxLevel(maxNode);
        group.maximum = written && *written >= 1 && *written <= maxLevel ? int(*written) : maxLevel;
        group.capped = group.maximum != written.value_or(0);
        if (group.capped) {
            const GroupPlace at = maxNode ? placeAt(kGroupsFile, maxNode->begin) : place;
            const QString why = !maxNode   ? QStringLiteral("no tiene MaxLevel")
                                : !written ? QStringLiteral("tiene un MaxLevel que no es un número de 32 bits")
                                           : QStringLiteral("tiene MaxLevel %1").arg(*written);
            note("maximo_recortado", false, at,
                 QStringLiteral("el grupo %1 %2 %3: el servidor usa MAX_LEVEL, %4.")
                     .arg(kindName(base), shownName, why)
                     .arg(maxLevel));
        }
        group.given = int(exp->children.size());
        const size_t wanted = size_t(group.maximum - 1);
        group.exp.reserve(wanted);
        int wrapped = 0, firstWrapped = 0;
        for (size_t k = 0; k < exp->children.size() && k < wanted; ++k) {
            const ConfigNode &value = tree.node(exp->children[k]);
            const bool integer = value.kind == ConfigNode::Integer || value.kind == ConfigNode::Integer64;
            group.exp.push_back(integer ? uint64_t(value.integer) : 0);
            if (value.wrapped || (integer && value.integer < 0)) {
                if (wrapped++ == 0)
                    firstWrapped = int(k + 1);
            }
        }
        if (wrapped > 0) {
            const ConfigNode &first = tree.node(exp->children[size_t(firstWrapped - 1)]);
            const QString writtenText =
                fromUtf8(std::string_view(files[kGroupsFile]->text).substr(first.begin, first.end - first.begin));
            note("valor_desbordado", true, placeAt(kGroupsFile, first.begin),
                 QStringLiteral("el grupo %1 %2, nivel %3: el servidor lee %4 como %5%6%7")
                     .arg(kindName(base), shownName)
                     .arg(firstWrapped)
                     .arg(writtenText)
                     .arg(first.integer)
                     .arg(first.integer < 0 ? QStringLiteral(" (una experiencia de %1, que nadie alcanza)")
                                                  .arg(uint64_t(first.integer))
                                            : QString())
                     .arg(first.wrapped
                              ? QStringLiteral(": un número sin L tiene 32 bits; escriba L en todos los "
                                               "valores del Exp%1.")
                                    .arg(wrapped > 1 ? QStringLiteral(" (%1 valores se desbordan)").arg(wrapped)
                                                     : QString())
                              : QStringLiteral(": la experiencia no lleva signo.")));
        }
        const GroupPlace expAt = placeAt(kGroupsFile, exp->begin);
        if (size_t(group.given) > wanted && !(group.capped && written && *written > maxLevel))
            note(
                "valores_de_mas", false, expAt,
                QStringLiteral("el grupo %1 %2 da %3 valores y su nivel máximo es %4: el servidor lee %5 y se salta el "
                               "resto.")
                    .arg(kindName(base), shownName)
                    .arg(group.given)
                    .arg(group.maximum)
                    .arg(wanted));
        if (size_t(group.given) < wanted) {
            const uint64_t last = group.exp.empty() ? 0 : group.exp.back();
            note("valores_de_menos", false, expAt,
                 QStringLiteral("el grupo %1 %2 da %3 valores y su nivel máximo es %4: del nivel %5 al %6 el servidor "
                                "pide %7, el último valor, cada nivel.")
                     .arg(kindName(base), shownName)
                     .arg(group.given)
                     .arg(group.maximum)
                     .arg(group.given + 1)
                     .arg(group.maximum - 1)
                     .arg(last));
            group.exp.resize(wanted, last);
        }
        for (const ExpGroup &earlier : groups)
            if (earlier.base == base && earlier.name == group.name && !earlier.shadowed) {
                group.shadowed = true;
                note("grupo_repetido", false, place,
                     QStringLiteral("el grupo %1 %2 ya está en %3: el servidor usa el primero, y este no sirve.")
                         .arg(kindName(base), shownName, QStringLiteral("la línea %1").arg(earlier.place.line)));
                break;
            }
        groups.push_back(std::move(group));
    }
}

LinkedJob &ExpGroupServer::State::jobNamed(const char *name, GroupPlace place)
{
    const QString key = QString::fromLatin1(name).toLower();
    if (const auto found = jobIndex.constFind(key); found != jobIndex.constEnd())
        return jobs[size_t(*found)];
    jobIndex.insert(key, int(jobs.size()));
    jobs.push_back({QString::fromLatin1(name), place, -1, -1, {}, {}, {}, {}});
    return jobs.back();
}

std::optional<GroupRefusal> ExpGroupServer::loadLinks(ConfigFile file)
{
    State &s = *state_;
    s.files[kLinksFile] = std::move(file);
    s.jobs.clear();
    s.jobIndex.clear();
    for (ExpGroup &group : s.groups)
        group.users.clear();
    ConfigTree &tree = s.trees[kLinksFile];
    if (std::optional<GroupRefusal> refusal = s.parse(kLinksFile))
        return refusal;
    s.linksFromFile = true;
    for (const uint32_t index : tree.root().children) {
        const ConfigNode &entry = tree.node(index);
        const GroupPlace place = s.placeAt(kLinksFile, entry.nameAt);
        const QString name = fromUtf8(entry.name);
        const auto known = std::find_if(std::begin(kJobs), std::end(kJobs), [&](const char *job) {
            return QString::fromLatin1(job).compare(name, Qt::CaseInsensitive) == 0;
        });
        if (known == std::end(kJobs)) {
            s.note("trabajo_desconocido", true, place,
                   QStringLiteral("el servidor no conoce el trabajo «%1» y se salta la entrada.").arg(name));
            continue;
        }
        LinkedJob &job = s.jobNamed(*known, place);
        job.place = place;
        for (const bool base : {true, false}) {
            const char *setting = base ? "BaseExpGroup" : "JobExpGroup";
            const ConfigNode *link = tree.member(entry, setting);
            if (!link || link->kind != ConfigNode::String) {
                s.note("sin_grupo", true, place,
                       QStringLiteral("%1 no tiene %2%3: el servidor se salta el resto de la entrada.")
                           .arg(name, QString::fromLatin1(setting), link ? QStringLiteral(" como cadena") : QString()));
                break;
            }
            const GroupPlace at = s.placeAt(kLinksFile, link->begin);
            const int group = findGroup(base, link->text);
            (base ? job.baseName : job.jobName) = link->text;
            (base ? job.baseAt : job.jobAt) = at;
            (base ? job.base : job.job) = group;
            if (group < 0) {
                // Another case of a group's name is the commonest slip.
                QString near;
                for (const ExpGroup &g : s.groups)
                    if (g.base == base && lowered(g.name) == lowered(link->text))
                        near = QStringLiteral(" (hay «%1»: los grupos se distinguen por mayúsculas)")
                                   .arg(fromUtf8(g.name));
                s.note("grupo_desconocido", true, at,
                       QStringLiteral("%1 nombra el grupo %2 «%3», que no existe%4: no sube de nivel.")
                           .arg(name, kindName(base), fromUtf8(link->text), near));
            }
        }
    }
    // Jobs no entry names: the server warns they have no table.
    QStringList unnamed;
    for (const char *job : kJobs)
        if (!s.jobIndex.contains(QString::fromLatin1(job).toLower()))
            unnamed << QString::fromLatin1(job);
    if (!unnamed.isEmpty())
        s.note("sin_grupo", true, {kLinksFile, 1, 1},
               QStringLiteral("%1: ninguna entrada %2, así que no tienen grupo base ni de trabajo y no suben de nivel.")
                   .arg(jobNamesText(unnamed),
                        unnamed.size() == 1 ? QStringLiteral("lo nombra") : QStringLiteral("los nombra")));
    for (const LinkedJob &job : s.jobs) {
        if (job.base >= 0)
            s.groups[size_t(job.base)].users << job.name;
        if (job.job >= 0)
            s.groups[size_t(job.job)].users << job.name;
    }
    for (const ExpGroup &group : s.groups) {
        const bool homunculus = group.base
                                && std::any_of(std::begin(kHomunculusGroups), std::end(kHomunculusGroups),
                                               [&](const char *name) { return group.name == name; });
        if (group.users.isEmpty() && !homunculus && !group.shadowed)
            s.note(
                "grupo_sin_uso", false, group.place,
                QStringLiteral("ningún trabajo usa el grupo %1 %2.").arg(kindName(group.base), fromUtf8(group.name)));
    }
    return std::nullopt;
}

void ExpGroupServer::linkAsShipped()
{
    State &s = *state_;
    s.jobs.clear();
    s.jobIndex.clear();
    s.linksFromFile = false;
    for (int c = 1; c <= kBaseColumns; ++c) {
        LinkedJob &job = s.jobNamed(kRepresentatives[c], {});
        job.baseName = kShippedGroups[baseColumnOf(c)];
        job.jobName = kShippedGroups[jobColumnOf(c)];
        job.base = findGroup(true, job.baseName);
        job.job = findGroup(false, job.jobName);
    }
}

bool ExpGroupServer::linksLoaded() const
{
    return state_->linksFromFile;
}

const ConfigFile *ExpGroupServer::file(int index) const
{
    return state_->files[size_t(index)] ? &*state_->files[size_t(index)] : nullptr;
}

const ConfigTree &ExpGroupServer::tree(int index) const
{
    return state_->trees[size_t(index)];
}

const std::vector<ExpGroup> &ExpGroupServer::groups() const
{
    return state_->groups;
}

int ExpGroupServer::findGroup(bool base, std::string_view name) const
{
    for (size_t i = 0; i < state_->groups.size(); ++i)
        if (state_->groups[i].base == base && state_->groups[i].name == name)
            return int(i);
    return -1;
}

const std::vector<LinkedJob> &ExpGroupServer::jobs() const
{
    return state_->jobs;
}

const LinkedJob *ExpGroupServer::job(QStringView name) const
{
    const auto found = state_->jobIndex.constFind(name.toString().toLower());
    return found == state_->jobIndex.constEnd() ? nullptr : &state_->jobs[size_t(*found)];
}

const std::vector<GroupNote> &ExpGroupServer::notes() const
{
    return state_->notes;
}

QString ExpGroupServer::placeText(const GroupPlace &place) const
{
    if (!place.isSet() || !state_->files[size_t(place.file)])
        return QString();
    const QString &name = state_->files[size_t(place.file)]->name;
    return place.line > 0 ? QStringLiteral("%1:%2:%3").arg(name).arg(place.line).arg(place.column) : name;
}

std::span<const char *const> groupFamilyJobs()
{
    return kJobs;
}

const char *groupRepresentative(int classGroup)
{
    return classGroup >= 1 && classGroup <= kBaseColumns ? kRepresentatives[classGroup] : nullptr;
}

const char *shippedGroupOf(int column)
{
    return column >= kFirstValueColumn && column <= kLastValueColumn ? kShippedGroups[column] : nullptr;
}

int groupColumnOf(std::string_view job, bool base)
{
    const QString name = lowered(job);
    for (const ColumnJobs &column : kColumnJobs) {
        if (isBaseColumn(column.column) != base)
            continue;
        for (const char *listed : column.jobs)
            if (listed && QString::fromLatin1(listed).toLower() == name)
                return column.column;
    }
    return 0;
}

bool looksLikeExpGroupDatabase(std::string_view bytes)
{
    // Only the start matters: the first setting's name, read past comments.
    size_t at = 0;
    for (;;) {
        while (at < bytes.size() && std::string_view(" \t\r\n\f\v").find(bytes[at]) != std::string_view::npos)
            ++at;
        if (bytes.substr(at, 2) == "//" || bytes.substr(at, 1) == "#") {
            at = std::min(bytes.find('\n', at), bytes.size());
        } else if (bytes.substr(at, 2) == "/*") {
            const size_t close = bytes.find("*/", at + 2);
            if (close == std::string_view::npos)
                return false;
            at = close + 2;
        } else {
            break;
        }
    }
    const std::string_view rest = bytes.substr(at);
    for (const bool base : {true, false}) {
        const std::string_view root = rootName(base);
        if (rest.substr(0, root.size()) == root && rest.size() > root.size()) {
            const char next = rest[root.size()];
            if (next == ':' || next == '=' || next == ' ' || next == '\t' || next == '\r' || next == '\n')
                return true;
        }
    }
    return false;
}
