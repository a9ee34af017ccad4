// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// libFuzzer target: the YAML chain loader must survive any bytes, as one
// file or as two (the second byte says where the second starts), and what it
// loaded, written back as entries, must load to the same jobs. The check of
// the chain must survive whatever was loaded.
#include "server/core/chain_check.h"
#include "server/core/job_chain.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool plainName(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (const QChar c : name)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'_')
            return false;
    return true;
}

void writeLevels(std::string &out, const JobLevels &levels, bool base)
{
    out += base ? "    MaxBaseLevel: " : "    MaxJobLevel: ";
    out += std::to_string(levels.maximum) + (base ? "\n    BaseExp:\n" : "\n    JobExp:\n");
    for (int level = 1; level <= levels.maximum; ++level)
        out += "      - Level: " + std::to_string(level) + "\n        Exp: " + std::to_string(levels.at(level)) + "\n";
}

bool sameLevels(const JobLevels &a, const JobLevels &b)
{
    if (a.maximum != b.maximum)
        return false;
    for (int level = 1; level <= a.maximum; ++level)
        if (a.at(level) != b.at(level))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int maxLevel = 1 + data[0] % 64; // small, so that writing back stays small
    const bool two = data[1] & 1;
    const size_t split = two ? std::min(size, 2 + size_t(data[1] >> 1) * 4) : size;
    const std::string whole(reinterpret_cast<const char *>(data) + 2, size - 2);
    JobChain chain(maxLevel);
    chain.load({QStringLiteral("a.yml"), whole.substr(0, split - 2)}, two);
    if (two)
        chain.load({QStringLiteral("b.yml"), whole.substr(split - 2)});
    const ChainCheck check = checkJobChain(chain, true);
    if (check.errors + check.warnings != qint64(check.findings.size()))
        std::abort();

    std::string back = "Header:\n  Type: JOB_STATS\n  Version: 2\nBody:\n";
    for (const LoadedJob &job : chain.jobs()) {
        if (!plainName(job.name))
            continue;
        back += "  - Jobs:\n      " + job.name.toStdString() + ": true\n";
        writeLevels(back, job.base, true);
        back += "  - Jobs:\n      " + job.name.toStdString() + ": true\n";
        writeLevels(back, job.job, false);
    }
    JobChain again(maxLevel);
    if (again.load({QStringLiteral("vuelta.yml"), back}, true))
        std::abort();
    for (const LoadedJob &job : chain.jobs()) {
        if (!plainName(job.name))
            continue;
        const LoadedJob *read = again.find(job.name);
        if (!read || !sameLevels(job.base, read->base) || !sameLevels(job.job, read->job))
            std::abort();
    }
    return 0;
}
