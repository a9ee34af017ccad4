// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// libFuzzer target: the libconfig loader must survive any bytes, as an
// exp_group_db.conf alone or with a job_db.conf (the second byte says where
// the second starts). Every group it keeps holds MaxLevel - 1 values within
// MAX_LEVEL; and where the representative jobs have groups, the table read
// from them, written back into the same files, must load with every column
// in place and read back the same.
#include "server/core/group_export.h"
#include "table/core/experience_table.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int maxLevel = 1 + data[0] % 64; // small, so that writing back stays small
    const bool two = data[1] & 1;
    const size_t split = two ? std::min(size, 2 + size_t(data[1] >> 1) * 8) : size;
    const std::string whole(reinterpret_cast<const char *>(data) + 2, size - 2);
    const std::string groups = whole.substr(0, split - 2), links = two ? whole.substr(split - 2) : std::string();
    ExpGroupServer server(maxLevel);
    if (server.loadGroups({QStringLiteral("g.conf"), groups}))
        return 0;
    if (two) {
        if (server.loadLinks({QStringLiteral("j.conf"), links}))
            return 0;
    } else {
        server.linkAsShipped();
    }
    for (const ExpGroup &group : server.groups())
        if (group.maximum < 1 || group.maximum > maxLevel || group.exp.size() != size_t(group.maximum - 1)
            || group.name.size() > kGroupNameBytes)
            std::abort();
    for (const LinkedJob &job : server.jobs())
        if (job.base >= int(server.groups().size()) || job.job >= int(server.groups().size()))
            std::abort();

    ExperienceTable table;
    QStringList warnings;
    QString error;
    if (!importExpGroups(server, table, &warnings, &error))
        return 0;
    GroupExport exported;
    if (!exportExpGroups(table, QStringLiteral("t.txt"), server, false, &exported, &error))
        return 0; // a value past 2^63 - 1 (a wrapped one read back) cannot be written
    ExpGroupServer again(maxLevel);
    if (again.loadGroups({QStringLiteral("g.conf"), exported.groups}))
        std::abort();
    if (exported.links)
        std::abort(); // nothing is split
    if (two ? bool(again.loadLinks({QStringLiteral("j.conf"), links})) : (again.linkAsShipped(), false))
        std::abort();
    if (!checkExportedGroups(exported, again).isEmpty())
        std::abort();
    ExperienceTable back;
    if (!importExpGroups(again, back, &warnings, &error))
        std::abort();
    if (back.rowCount() != table.rowCount())
        std::abort();
    for (int32_t row = 1; row < table.rowCount(); ++row)
        if (back.packedRow(row) != table.packedRow(row))
            std::abort();
    return 0;
}
