// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "server/core/job_chain.h"

#include "server/core/yaml_tree.h"

#include <QHash>

#include <algorithm>
#include <array>

namespace {

// Every job key of the servers' shipped files (both modes), and the
// costume jobs they also define.
constexpr std::array kKnownJobs = {"Novice",
                                   "Swordman",
                                   "Mage",
                                   "Archer",
                                   "Acolyte",
                                   "Merchant",
                                   "Thief",
                                   "Knight",
                                   "Priest",
                                   "Wizard",
                                   "Blacksmith",
                                   "Hunter",
                                   "Assassin",
                                   "Knight2",
                                   "Crusader",
                                   "Monk",
                                   "Sage",
                                   "Rogue",
                                   "Alchemist",
                                   "Bard",
                                   "Dancer",
                                   "Crusader2",
                                   "Super_Novice",
                                   "Gunslinger",
                                   "Ninja",
                                   "Baby",
                                   "Baby_Swordman",
                                   "Baby_Mage",
                                   "Baby_Archer",
                                   "Baby_Acolyte",
                                   "Baby_Merchant",
                                   "Baby_Thief",
                                   "Baby_Knight",
                                   "Baby_Priest",
                                   "Baby_Wizard",
                                   "Baby_Blacksmith",
                                   "Baby_Hunter",
                                   "Baby_Assassin",
                                   "Baby_Knight2",
                                   "Baby_Crusader",
                                   "Baby_Monk",
                                   "Baby_Sage",
                                   "Baby_Rogue",
                                   "Baby_Alchemist",
                                   "Baby_Bard",
                                   "Baby_Dancer",
                                   "Baby_Crusader2",
                                   "Super_Baby",
                                   "Taekwon",
                                   "Star_Gladiator",
                                   "Star_Gladiator2",
                                   "Soul_Linker",
                                   "Gangsi",
                                   "Death_Knight",
                                   "Dark_Collector",
                                   "Baby_Ninja",
                                   "Baby_Taekwon",
                                   "Baby_Star_Gladiator",
                                   "Baby_Soul_Linker",
                                   "Baby_Gunslinger",
                                   "Baby_Star_Gladiator2",
                                   "Novice_High",
                                   "Swordman_High",
                                   "Mage_High",
                                   "Archer_High",
                                   "Acolyte_High",
                                   "Merchant_High",
                                   "Thief_High",
                                   "Lord_Knight",
                                   "High_Priest",
                                   "High_Wizard",
                                   "Whitesmith",
                                   "Sniper",
                                   "Assassin_Cross",
                                   "Lord_Knight2",
                                   "Paladin",
                                   "Champion",
                                   "Professor",
                                   "Stalker",
                                   "Creator",
                                   "Clown",
                                   "Gypsy",
                                   "Paladin2",
                                   "Rune_Knight",
                                   "Warlock",
                                   "Ranger",
                                   "Arch_Bishop",
                                   "Mechanic",
                                   "Guillotine_Cross",
                                   "Rune_Knight_T",
                                   "Warlock_T",
                                   "Ranger_T",
                                   "Arch_Bishop_T",
                                   "Mechanic_T",
                                   "Guillotine_Cross_T",
                                   "Royal_Guard",
                                   "Sorcerer",
                                   "Minstrel",
                                   "Wanderer",
                                   "Sura",
                                   "Genetic",
                                   "Shadow_Chaser",
                                   "Royal_Guard_T",
                                   "Sorcerer_T",
                                   "Minstrel_T",
                                   "Wanderer_T",
                                   "Sura_T",
                                   "Genetic_T",
                                   "Shadow_Chaser_T",
                                   "Rune_Knight2",
                                   "Rune_Knight_T2",
                                   "Royal_Guard2",
                                   "Royal_Guard_T2",
                                   "Ranger2",
                                   "Ranger_T2",
                                   "Mechanic2",
                                   "Mechanic_T2",
                                   "Baby_Rune_Knight",
                                   "Baby_Warlock",
                                   "Baby_Ranger",
                                   "Baby_Arch_Bishop",
                                   "Baby_Mechanic",
                                   "Baby_Guillotine_Cross",
                                   "Baby_Royal_Guard",
                                   "Baby_Sorcerer",
                                   "Baby_Minstrel",
                                   "Baby_Wanderer",
                                   "Baby_Sura",
                                   "Baby_Genetic",
                                   "Baby_Shadow_Chaser",
                                   "Baby_Rune_Knight2",
                                   "Baby_Royal_Guard2",
                                   "Baby_Ranger2",
                                   "Baby_Mechanic2",
                                   "Super_Novice_E",
                                   "Super_Baby_E",
                                   "Kagerou",
                                   "Oboro",
                                   "Rebellion",
                                   "Baby_Kagerou",
                                   "Baby_Oboro",
                                   "Baby_Rebellion",
                                   "Star_Emperor",
                                   "Soul_Reaper",
                                   "Baby_Star_Emperor",
                                   "Baby_Soul_Reaper",
                                   "Star_Emperor2",
                                   "Baby_Star_Emperor2",
                                   "Dragon_Knight",
                                   "Meister",
                                   "Shadow_Cross",
                                   "Arch_Mage",
                                   "Cardinal",
                                   "Windhawk",
                                   "Imperial_Guard",
                                   "Biolo",
                                   "Abyss_Chaser",
                                   "Elemental_Master",
                                   "Inquisitor",
                                   "Troubadour",
                                   "Trouvere",
                                   "Windhawk2",
                                   "Meister2",
                                   "Dragon_Knight2",
                                   "Imperial_Guard2",
                                   "Sky_Emperor",
                                   "Soul_Ascetic",
                                   "Shinkiro",
                                   "Shiranui",
                                   "Night_Watch",
                                   "Hyper_Novice",
                                   "Spirit_Handler",
                                   "Sky_Emperor2",
                                   "Summoner",
                                   "Baby_Summoner",
                                   "Wedding",
                                   "Xmas",
                                   "Summer",
                                   "Hanbok",
                                   "Oktoberfest",
                                   "Summer2"};

const QHash<QString, int> &knownJobs()
{
    static const QHash<QString, int> names = [] {
        QHash<QString, int> table;
        for (const char *name : kKnownJobs)
            table.insert(matchingJobName(QString::fromLatin1(name)), 0);
        return table;
    }();
    return names;
}

// A number as the servers' YAML reader takes it: decimal digits (leading
// zeros too), or 0x, 0b, 0o and their digits; kept modulo 2^64, as it has
// no overflow check. Nothing for anything else (a sign, a point, blanks).
std::optional<uint64_t> serverNumber(std::string_view text)
{
    unsigned base = 10;
    if (text.size() > 2 && text[0] == '0') {
        const char kind = char(text[1] | 0x20);
        base = kind == 'x' ? 16 : kind == 'b' ? 2 : kind == 'o' ? 8 : 10;
        if (base != 10)
            text.remove_prefix(2);
    }
    if (text.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (const char c : text) {
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = unsigned(c - '0');
        else if (base == 16 && (c | 0x20) >= 'a' && (c | 0x20) <= 'f')
            digit = unsigned((c | 0x20) - 'a' + 10);
        else
            return std::nullopt;
        if (digit >= base)
            return std::nullopt;
        value = value * base + digit;
    }
    return value;
}

QString utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

bool isTrue(std::string_view text)
{
    const QString lower = utf8(text).toLower();
    return lower == QStringLiteral("true") || lower == QStringLiteral("yes") || lower == QStringLiteral("on");
}

bool isFalse(std::string_view text)
{
    const QString lower = utf8(text).toLower();
    return lower == QStringLiteral("false") || lower == QStringLiteral("no") || lower == QStringLiteral("off");
}

QString namesList(const QStringList &names)
{
    if (names.size() <= 1)
        return names.value(0);
    return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" y ") + names.last();
}

} // namespace

QString matchingJobName(QStringView name)
{
    QString key = name.toString().toLower();
    if (key == QStringLiteral("supernovice"))
        key = QStringLiteral("super_novice");
    return key;
}

QString jobNamesText(const QStringList &names)
{
    constexpr qsizetype kShown = 4;
    if (names.size() <= 1)
        return names.value(0);
    if (names.size() <= kShown)
        return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" y ") + names.last();
    return names.mid(0, kShown).join(QStringLiteral(", ")) + QStringLiteral(" y %1 más").arg(names.size() - kShown);
}

bool isKnownJobName(QStringView name)
{
    return knownJobs().contains(matchingJobName(name));
}

bool looksLikeJobDatabase(std::string_view bytes)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    while (!bytes.empty()) {
        const size_t end = std::min(bytes.find('\n'), bytes.size());
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
        const size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string_view::npos || line[first] == '#' || line.substr(first, 3) == "---")
            continue;
        return first == 0 && line.substr(0, 7) == "Header:";
    }
    return false;
}

struct JobChain::State
{
    int maxLevel;
    std::vector<JobFile> files;
    std::vector<int> versions;
    std::vector<LoadedJob> jobs;
    QHash<QString, size_t> byName;
    QHash<QString, int> ownNames; // the names of a server's own file
    std::vector<ChainEntry> entries;
    std::vector<ChainNote> notes;

    qint64 levelsHeld = 0;  // against kMaxChainLevels
    bool overBound = false; // the file being loaded went past it

    // The file being loaded.
    int file = 0;
    const YamlTree *tree = nullptr;

    ChainPlace placeOf(const YamlNode &node) const { return {file, node.line, node.column}; }

    void note(const char *code, bool error, const YamlNode &node, QString message)
    {
        notes.push_back({code, error, placeOf(node), std::move(message)});
    }

    std::optional<ChainRefusal> refuse(const YamlNode &node, QString message)
    {
        return ChainRefusal{placeOf(node), std::move(message)};
    }

    std::optional<ChainRefusal> readHeader(const YamlNode &root, bool *clear);
    void readEntry(const YamlNode &entry);
    // Applies one part (base or job) of `entry` to `job`; false where the entry stops.
    bool applyPart(const YamlNode &entry, LoadedJob &job, bool base, size_t entryIndex);
};

JobChain::JobChain(int maxLevel) : state_(std::make_unique<State>())
{
    state_->maxLevel = std::clamp(maxLevel, 1, kLargestServerMaxLevel);
}

JobChain::~JobChain() = default;
JobChain::JobChain(JobChain &&) noexcept = default;
JobChain &JobChain::operator=(JobChain &&) noexcept = default;

int JobChain::maxLevel() const
{
    return state_->maxLevel;
}

int JobChain::versionOf(int file) const
{
    return file >= 0 && size_t(file) < state_->versions.size() ? state_->versions[size_t(file)] : 0;
}

const std::vector<JobFile> &JobChain::files() const
{
    return state_->files;
}

const std::vector<LoadedJob> &JobChain::jobs() const
{
    return state_->jobs;
}

const std::vector<ChainEntry> &JobChain::entries() const
{
    return state_->entries;
}

const std::vector<ChainNote> &JobChain::notes() const
{
    return state_->notes;
}

const LoadedJob *JobChain::find(QStringView name) const
{
    const auto found = state_->byName.constFind(matchingJobName(name));
    return found == state_->byName.constEnd() ? nullptr : &state_->jobs[*found];
}

QString JobChain::placeText(const ChainPlace &place) const
{
    if (place.file < 0 || size_t(place.file) >= state_->files.size())
        return QString();
    const QString &name = state_->files[size_t(place.file)].name;
    if (place.line == 0)
        return name;
    return QStringLiteral("%1:%2:%3").arg(name).arg(place.line).arg(place.column);
}

std::optional<ChainRefusal> JobChain::State::readHeader(const YamlNode &root, bool *clear)
{
    const YamlNode *header = tree->value(root, "Header");
    if (!header)
        return refuse(root, QStringLiteral("no es una base de datos de trabajos: le falta la cabecera (Header); el "
                                           "servidor no carga el archivo."));
    if (header->kind != YamlNode::Map)
        return refuse(*header, QStringLiteral("la cabecera (Header) debe ser un mapa con Type y Version."));
    const YamlNode *type = tree->value(*header, "Type");
    if (!type || type->kind != YamlNode::Scalar || type->text != "JOB_STATS")
        return refuse(type ? *type : *header,
                      QStringLiteral("la cabecera dice Type: %1, y una base de datos de trabajos dice JOB_STATS; el "
                                     "servidor no carga el archivo.")
                          .arg(type && type->kind == YamlNode::Scalar ? utf8(type->text) : QStringLiteral("(nada)")));
    const YamlNode *version = tree->value(*header, "Version");
    const std::optional<uint64_t> number =
        version && version->kind == YamlNode::Scalar ? serverNumber(version->text) : std::nullopt;
    if (!number)
        return refuse(version ? *version : *header,
                      QStringLiteral("la cabecera no da un número de versión (Version); el servidor no carga el "
                                     "archivo."));
    if (*number < 2)
        return refuse(*version, QStringLiteral("la cabecera dice Version: %1, que los servidores desde 2022 ya no "
                                               "cargan (leen de la 2 a la 4).")
                                    .arg(*number));
    if (*number > 4)
        return refuse(
            *version,
            QStringLiteral("la cabecera dice Version: %1, y los servidores leen de la 2 a la 4.").arg(*number));
    versions.back() = int(*number);
    const YamlNode *clearNode = tree->value(*header, "Clear");
    *clear = clearNode && clearNode->kind == YamlNode::Scalar && isTrue(clearNode->text);
    return std::nullopt;
}

bool JobChain::State::applyPart(const YamlNode &entry, LoadedJob &job, bool base, size_t entryIndex)
{
    const char *maximumKey = base ? "MaxBaseLevel" : "MaxJobLevel";
    const char *itemsKey = base ? "BaseExp" : "JobExp";
    JobLevels &levels = base ? job.base : job.job;
    const YamlNode *maximumNode = tree->value(entry, maximumKey);
    const YamlNode *items = tree->value(entry, itemsKey);
    if (!maximumNode && !items)
        return true;
    ChainEntry &record = entries[entryIndex];
    (base ? record.base : record.job) = true;
    if (maximumNode) {
        const std::optional<uint64_t> maximum =
            maximumNode->kind == YamlNode::Scalar ? serverNumber(maximumNode->text) : std::nullopt;
        if (!maximum) {
            note("entrada_cortada", true, *maximumNode,
                 QStringLiteral("%1 de %2 no es un número: el servidor deja la entrada ahí.")
                     .arg(QString::fromLatin1(maximumKey), job.name));
            return false;
        }
        const int read = int(uint16_t(*maximum));
        levels.capped = read == 0 || read > maxLevel;
        if (levels.capped)
            note("maximo_recortado", false, *maximumNode,
                 QStringLiteral("%1 %2 de %3: el servidor, compilado con MAX_LEVEL %4, usa %4.")
                     .arg(QString::fromLatin1(maximumKey))
                     .arg(read)
                     .arg(job.name)
                     .arg(maxLevel));
        levels.maximum = levels.capped ? maxLevel : read;
        levels.maximumAt = placeOf(*maximumNode);
    }
    levels.entry = int(entryIndex);
    if (!items)
        return true;
    if (items->kind != YamlNode::Sequence) {
        if (items->kind == YamlNode::Null)
            return true;
        note("entrada_cortada", true, *items,
             QStringLiteral("%1 debe ser una lista de niveles (Level, Exp): el servidor deja la entrada ahí.")
                 .arg(QString::fromLatin1(itemsKey)));
        return false;
    }
    int skippedFrom = 0, skippedTo = 0;
    const YamlNode *skippedAt = nullptr;
    for (const YamlNode *item = tree->firstChild(*items); item; item = tree->next(*item)) {
        const YamlNode *levelNode = item->kind == YamlNode::Map ? tree->value(*item, "Level") : nullptr;
        const std::optional<uint64_t> level =
            levelNode && levelNode->kind == YamlNode::Scalar ? serverNumber(levelNode->text) : std::nullopt;
        if (!level || uint16_t(*level) == 0) {
            note("entrada_cortada", true, levelNode ? *levelNode : *item,
                 QStringLiteral("%1: un elemento sin un Level de 1 a MAX_LEVEL (%2): el servidor deja la entrada ahí.")
                     .arg(QString::fromLatin1(itemsKey), job.name));
            return false;
        }
        const int at = int(uint16_t(*level));
        const YamlNode *expNode = tree->value(*item, "Exp");
        if (!expNode)
            continue; // an item without Exp changes nothing
        const std::optional<uint64_t> exp =
            expNode->kind == YamlNode::Scalar ? serverNumber(expNode->text) : std::nullopt;
        if (!exp) {
            note("entrada_cortada", true, *expNode,
                 QStringLiteral("Exp del nivel %1 de %2 no es un número entero sin signo: el servidor deja la entrada "
                                "ahí.")
                     .arg(at)
                     .arg(job.name));
            return false;
        }
        if (at > levels.maximum) {
            if (!skippedAt)
                skippedAt = levelNode, skippedFrom = at;
            skippedFrom = std::min(skippedFrom, at);
            skippedTo = std::max(skippedTo, at);
            continue;
        }
        levelsHeld += 1 + std::max<qint64>(0, at - qint64(levels.exp.size()));
        if (levelsHeld > kMaxChainLevels) {
            overBound = true;
            return false;
        }
        if (levels.exp.size() < size_t(at)) {
            levels.exp.resize(size_t(at), 0);
            levels.expAt.resize(size_t(at));
        }
        levels.exp[size_t(at - 1)] = *exp;
        levels.expAt[size_t(at - 1)] = placeOf(*expNode);
    }
    if (skippedAt)
        note("nivel_omitido", false, *skippedAt,
             QStringLiteral("%1 de %2: los niveles %3 a %4 pasan de su nivel máximo (%5) y el servidor no los lee; "
                            "un nivel nuevo va en la entrada que sube el máximo, o después.")
                 .arg(QString::fromLatin1(itemsKey), job.name)
                 .arg(skippedFrom)
                 .arg(skippedTo)
                 .arg(levels.maximum));
    return true;
}

void JobChain::State::readEntry(const YamlNode &entry)
{
    if (entry.kind != YamlNode::Map) {
        note("entrada_cortada", true, entry,
             QStringLiteral("una entrada de Body que no es un mapa: el servidor la pasa por alto."));
        return;
    }
    const YamlNode *jobsNode = tree->value(entry, "Jobs");
    if (!jobsNode || jobsNode->kind != YamlNode::Map) {
        note("entrada_cortada", true, jobsNode ? *jobsNode : entry,
             QStringLiteral("la entrada no tiene Jobs, el mapa de sus trabajos: el servidor la pasa por alto."));
        return;
    }
    const size_t entryIndex = entries.size();
    entries.push_back({placeOf(entry), false, false, {}});
    for (const YamlNode *key = tree->firstChild(*jobsNode); key && !overBound; key = tree->next(*tree->next(*key))) {
        const YamlNode &value = *tree->next(*key);
        const QString name = utf8(key->text);
        const QString match = matchingJobName(name);
        if (key->kind != YamlNode::Scalar || (!knownJobs().contains(match) && !ownNames.contains(match))) {
            QStringList dropped;
            for (const YamlNode *rest = tree->next(value); rest; rest = tree->next(*tree->next(*rest)))
                dropped << utf8(rest->text);
            note("trabajo_desconocido", true, *key,
                 dropped.isEmpty()
                     ? QStringLiteral("«%1» no es un trabajo que conozca el servidor: deja la entrada ahí.").arg(name)
                     : QStringLiteral("«%1» no es un trabajo que conozca el servidor: deja la entrada ahí, y %2 no "
                                      "reciben nada de ella.")
                           .arg(name, namesList(dropped)));
            break;
        }
        if (value.kind == YamlNode::Scalar && isFalse(value.text))
            note("false", false, value,
                 QStringLiteral("%1: false: el servidor no lee el valor y aplica la entrada a %1 igual.").arg(name));
        const auto found = byName.constFind(match);
        const bool isNew = found == byName.constEnd();
        LoadedJob fresh;
        LoadedJob &job = isNew ? fresh : jobs[*found];
        if (isNew) {
            fresh.name = name;
            fresh.firstNamed = placeOf(*key);
            fresh.base.maximum = fresh.job.maximum = maxLevel;
        }
        const bool whole = applyPart(entry, job, true, entryIndex) && applyPart(entry, job, false, entryIndex);
        if (isNew && whole) {
            byName.insert(match, jobs.size());
            jobs.push_back(std::move(fresh));
        }
        if (!whole)
            break; // the keys after it get nothing
        entries[entryIndex].jobs << name;
    }
    if (!entries[entryIndex].base && !entries[entryIndex].job)
        entries.pop_back();
}

std::optional<ChainRefusal> JobChain::load(JobFile file, bool knownNames)
{
    State &s = *state_;
    const int index = int(s.files.size());
    s.files.push_back(std::move(file));
    s.versions.push_back(0);
    const std::string &text = s.files.back().text;
    const auto refused = [&](ChainRefusal refusal) {
        refusal.place.file = index;
        return std::optional<ChainRefusal>(std::move(refusal));
    };
    if (qint64(text.size()) > kMaxJobFileBytes)
        return refused({{index, 0, 0},
                        QStringLiteral("pasa de %1 MiB, muy por encima de cualquier base de datos de trabajos real; "
                                       "no se ha leído.")
                            .arg(kMaxJobFileBytes >> 20),
                        true});
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return refused({{index, 1, 1},
                        QStringLiteral("empieza con una marca de orden de bytes UTF-8: el servidor no encuentra la "
                                       "cabecera y no carga el archivo. Guárdelo sin ella (UTF-8 sin BOM).")});
    YamlTree tree;
    if (std::optional<YamlFailure> failure = tree.parse(text, kMaxJobFileNodes))
        return refused({{index, failure->line, failure->column}, failure->message, failure->bound});
    const YamlNode *root = tree.root();
    if (!root || root->kind != YamlNode::Map)
        return refused({{index, root ? root->line : 0, root ? root->column : 0},
                        QStringLiteral("no es una base de datos de trabajos: le falta la cabecera (Header); el "
                                       "servidor no carga el archivo.")});
    s.file = index;
    s.tree = &tree;
    bool clear = false;
    if (std::optional<ChainRefusal> refusal = s.readHeader(*root, &clear))
        return refusal;
    const YamlNode *body = tree.value(*root, "Body");
    if (body && body->kind != YamlNode::Sequence && body->kind != YamlNode::Null)
        return refused({s.placeOf(*body), QStringLiteral("Body debe ser una lista de entradas; el servidor no carga "
                                                         "el archivo.")});
    if (knownNames && body && body->kind == YamlNode::Sequence)
        for (const YamlNode *entry = tree.firstChild(*body); entry; entry = tree.next(*entry))
            if (const YamlNode *jobsNode = entry->kind == YamlNode::Map ? tree.value(*entry, "Jobs") : nullptr;
                jobsNode && jobsNode->kind == YamlNode::Map)
                for (const YamlNode *key = tree.firstChild(*jobsNode); key; key = tree.next(*tree.next(*key)))
                    s.ownNames.insert(matchingJobName(utf8(key->text)), 0);
    if (clear) {
        s.jobs.clear();
        s.byName.clear();
        s.entries.clear();
    }
    if (body && body->kind == YamlNode::Sequence)
        for (const YamlNode *entry = tree.firstChild(*body); entry && !s.overBound; entry = tree.next(*entry))
            s.readEntry(*entry);
    s.tree = nullptr;
    if (s.overBound) // what was applied of it stays: the chain is of no use after this
        return refused({{index, 0, 0},
                        QStringLiteral("da más de %1 niveles entre todos sus trabajos, muy por encima de cualquier "
                                       "base de datos de trabajos real; no se ha leído.")
                            .arg(kMaxChainLevels),
                        true});
    return std::nullopt;
}
