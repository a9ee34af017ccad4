// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// How the servers of today load their YAML job database: a chain of files
// (their own db/{pre-re,re}/job_exp.yml, then the admin's
// db/import/job_stats.yml), each entry applied to every job its Jobs map
// names, field by field and level by level, later files winning. What the
// loader does differs from what a reader of the files would guess, and the
// model follows the loader:
// - a job is named without regard to case (Supernovice and Super_Novice are
//   one job); `Knight: false` still applies the entry to Knight;
// - a name the server does not know stops its entry: the jobs after it get
//   nothing;
// - MaxBaseLevel/MaxJobLevel is read before the items; an item above the
//   job's maximum at that moment is skipped; a maximum of 0 or above
//   MAX_LEVEL becomes MAX_LEVEL;
// - Level 0 or an Exp that is no number stops the entry (a job new in it is
//   not kept);
// - numbers are read as the server's reader reads them: decimal, 0x, 0b,
//   0o, and past their type they wrap (Level is 16-bit, Exp 64-bit);
// - `Header: Clear: true` empties what the files before gave.
// A file the server would skip whole, or read otherwise than another YAML
// reader (a byte-order mark, anchors and aliases, a second document, a key
// twice outside Jobs, a Version other than 2 to 4), is refused with its
// place; so is one past the bounds below.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The compiled level limit of the newest servers; 175, 250 and 260 are older ones.
inline constexpr int kDefaultServerMaxLevel = 275;
inline constexpr int kLargestServerMaxLevel = 65535; // Level is 16-bit
// A real job database is well under 1 MB; the admin's template is 2.6 MB.
inline constexpr qint64 kMaxJobFileBytes = qint64(16) << 20;
inline constexpr qint64 kMaxJobFileNodes = 1'000'000;
// The levels a chain may hold across all its jobs: an entry applies its
// items to each of its jobs, so jobs × levels, not the file's size, is what
// takes memory. The renewal file holds about 40,000; a 3,000-level table
// exported, about 430,000.
inline constexpr qint64 kMaxChainLevels = 8'000'000;

// One YAML file of the chain.
struct JobFile
{
    QString name; // as messages show it
    std::string text;
};

// A place in one of the chain's files: its index, 1-based line and column.
struct ChainPlace
{
    int file = -1; // -1: no file gave it
    int line = 0;
    int column = 0;
    bool isSet() const { return file >= 0; }
};

// Something the server does otherwise than a reader would guess; `code` is
// one of the check's finding codes.
struct ChainNote
{
    const char *code;
    bool error;
    ChainPlace place;
    QString message; // Spanish, without the place
};

// One job's base or job experience as the files leave it.
struct JobLevels
{
    int maximum = 0;               // the server's maximum level
    ChainPlace maximumAt;          // the MaxBaseLevel/MaxJobLevel that gave it; unset: MAX_LEVEL by default
    bool capped = false;           // the maximum given was 0 or above MAX_LEVEL
    int entry = -1;                // the last entry that gave this job a maximum or items (JobChain::entries())
    std::vector<uint64_t> exp;     // by level - 1; levels past its end hold 0
    std::vector<ChainPlace> expAt; // where each came from

    uint64_t at(int level) const { return level >= 1 && size_t(level) <= exp.size() ? exp[size_t(level - 1)] : 0; }
    ChainPlace placeOf(int level) const
    {
        return level >= 1 && size_t(level) <= expAt.size() ? expAt[size_t(level - 1)] : ChainPlace{};
    }
};

struct LoadedJob
{
    QString name; // as first written
    ChainPlace firstNamed;
    JobLevels base, job;
};

// One Body entry that gave base or job experience, with the jobs it was applied to.
struct ChainEntry
{
    ChainPlace place;
    bool base = false, job = false; // which fields it gives
    QStringList jobs;               // as written, in order, the ones the server applied it to
};

// Why a file was not loaded.
struct ChainRefusal
{
    ChainPlace place; // line 0 for the whole file
    QString message;
    bool bound = false; // past the size or node bound: the file could not be read
};

class JobChain
{
public:
    explicit JobChain(int maxLevel = kDefaultServerMaxLevel);
    ~JobChain();
    JobChain(JobChain &&) noexcept;
    JobChain &operator=(JobChain &&) noexcept;

    int maxLevel() const;

    // Loads `file` after those before it. Every name of a file loaded with
    // `knownNames` (the server's own file) is taken as a job the server
    // knows, beside the jobs this tool knows. Nothing of a refused file is
    // applied, but for a refusal past kMaxChainLevels (`bound`), after which
    // the chain is of no more use.
    std::optional<ChainRefusal> load(JobFile file, bool knownNames = false);

    const std::vector<JobFile> &files() const;
    // The Header's Version of a file loaded; 0 for one refused.
    int versionOf(int file) const;
    const std::vector<LoadedJob> &jobs() const; // in the order first named
    const LoadedJob *find(QStringView name) const;
    const std::vector<ChainEntry> &entries() const;
    const std::vector<ChainNote> &notes() const;

    // "archivo:línea:columna", or "archivo" for line 0.
    QString placeText(const ChainPlace &place) const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Jobs as a message lists them: "A", "A y B", "A, B, C, D y 5 más".
QString jobNamesText(const QStringList &names);

// The names of the jobs this tool knows the servers define (both modes).
bool isKnownJobName(QStringView name);

// A name as the servers match it: lower case, Supernovice as Super_Novice.
QString matchingJobName(QStringView name);

// Whether `bytes` begin as a YAML job database does: after blank and
// comment lines (and a byte-order mark), a line starting "Header:".
bool looksLikeJobDatabase(std::string_view bytes);
