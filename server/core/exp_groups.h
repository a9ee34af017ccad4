// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// How the servers of the libconfig family load experience: groups in
// exp_group_db.conf (base_exp_group_db and job_exp_group_db, each group a
// MaxLevel and MaxLevel - 1 values, no placeholder), and each job's base
// and job group named in job_db.conf (BaseExpGroup, JobExpGroup). What the
// loader does differs from what a reader of the files would guess, and the
// model follows the loader:
// - a MaxLevel missing, of 0 or less, or above MAX_LEVEL becomes MAX_LEVEL;
// - values past MaxLevel - 1 are skipped; missing ones repeat the last;
// - a plain value past 2,147,483,647 wraps to 32 bits (and, negative, is
//   taken as a huge unsigned experience);
// - group names are matched with case, the first of two alike wins, and
//   only their first 31 bytes are kept;
// - job names are matched without case, from a fixed list; an entry
//   without BaseExpGroup (or JobExpGroup) stops there.
// A file the server would fail whole (a syntax error, an array mixing L and
// plain values) is refused with its place.

#include "server/core/config_tree.h"
#include "server/core/job_chain.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

// MAX_LEVEL of this family's servers unless their build defines another.
inline constexpr int kDefaultGroupServerMaxLevel = 175;
// The bytes a server keeps of a group's name.
inline constexpr size_t kGroupNameBytes = 31;
inline constexpr size_t kMaxConfigNodes = 1'000'000;

// The two files: exp_group_db.conf, job_db.conf.
enum ConfigFileIndex { kGroupsFile = 0, kLinksFile = 1 };

struct GroupPlace
{
    int file = -1; // ConfigFileIndex; -1: no file gave it
    int line = 0;
    int column = 0;
    bool isSet() const { return file >= 0; }
};

// Something the server does otherwise than a reader would guess; `code` is
// one of the check's finding codes.
struct GroupNote
{
    const char *code;
    bool error;
    GroupPlace place;
    QString message; // Spanish, without the place
};

struct ExpGroup
{
    bool base = true;
    std::string name;          // as the server keeps it (kGroupNameBytes at most)
    std::string written;       // as the file writes it
    GroupPlace place;          // of its name
    uint32_t node = 0;         // its setting in the groups file's tree
    int maximum = 0;           // the server's maximum level
    bool capped = false;       // MaxLevel missing, of 0 or less, or above MAX_LEVEL
    int given = 0;             // values the file gives
    std::vector<uint64_t> exp; // maximum - 1 values, as the server takes them (by level - 1)
    bool shadowed = false;     // a group of the same kind and name came first: never used
    QStringList users;         // the jobs linked to it, as first written
};

struct LinkedJob
{
    QString name;                  // as first written
    GroupPlace place;              // its last entry
    int base = -1, job = -1;       // indices in groups(); -1 for none
    std::string baseName, jobName; // the groups as the last entry names them; empty for none
    GroupPlace baseAt, jobAt;      // where
};

struct GroupRefusal
{
    GroupPlace place;
    QString message;
    const char *code = "no_se_carga";
    bool bound = false; // past a bound: the file could not be read
};

// One file as read.
struct ConfigFile
{
    QString name; // as messages show it
    std::string text;
};

class ExpGroupServer
{
public:
    explicit ExpGroupServer(int maxLevel = kDefaultGroupServerMaxLevel);
    ~ExpGroupServer();
    ExpGroupServer(ExpGroupServer &&) noexcept;
    ExpGroupServer &operator=(ExpGroupServer &&) noexcept;

    int maxLevel() const;

    // Loads exp_group_db.conf. A refused file leaves no group.
    std::optional<GroupRefusal> loadGroups(ConfigFile file);
    // Loads job_db.conf, after the groups. A refused file leaves no job.
    std::optional<GroupRefusal> loadLinks(ConfigFile file);
    // Without a job_db.conf: the seven representative jobs linked as both
    // shipped files link them.
    void linkAsShipped();
    bool linksLoaded() const; // from a file

    const ConfigFile *file(int index) const; // null before it is loaded
    const ConfigTree &tree(int index) const;
    const std::vector<ExpGroup> &groups() const; // in file order, base then job
    // The group a link names: same kind, the first of that name, with case.
    int findGroup(bool base, std::string_view name) const;
    const std::vector<LinkedJob> &jobs() const;   // in the order first named
    const LinkedJob *job(QStringView name) const; // without case
    const std::vector<GroupNote> &notes() const;

    // "archivo:línea:columna".
    QString placeText(const GroupPlace &place) const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The jobs this family's servers know, as job_db.conf spells them.
std::span<const char *const> groupFamilyJobs();

// The c-th representative job (1 to 7) as this family spells it.
const char *groupRepresentative(int classGroup);
// The group the shipped files link column 1 to 14 to.
const char *shippedGroupOf(int column);
// Column (1 to 14, base when `base`) whose curve a job follows in the
// shipped lists, or 0 for a job no column covers (third jobs and others).
int groupColumnOf(std::string_view job, bool base);

// Whether `bytes` begin as an exp_group_db.conf does: after blank and
// comment lines, a base_exp_group_db or job_exp_group_db setting.
bool looksLikeExpGroupDatabase(std::string_view bytes);
