// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "server/core/chain_check.h"

#include <algorithm>
#include <cstdint>
#include <tuple>

namespace {

constexpr uint64_t kLargestInt32 = 2147483647;

QString kindName(bool base)
{
    return base ? QStringLiteral("base") : QStringLiteral("de trabajo");
}

// Findings that differ only in the job: one line for the group.
struct Grouped
{
    const char *code;
    bool error;
    ChainPlace place;
    QString tail; // after the names
    QStringList names;
};

void add(std::vector<Grouped> &groups, const char *code, bool error, ChainPlace place, const QString &name,
         QString tail)
{
    for (Grouped &group : groups)
        if (group.code == code && group.place.file == place.file && group.place.line == place.line
            && group.place.column == place.column && group.tail == tail) {
            group.names << name;
            return;
        }
    groups.push_back({code, error, place, std::move(tail), {name}});
}

// The first level below the maximum whose value passes `test`; 0 for none.
template <typename Test> int firstLevel(const JobLevels &levels, Test test)
{
    for (int level = 1; level < levels.maximum; ++level)
        if (test(levels.at(level)))
            return level;
    return 0;
}

void checkLevels(const LoadedJob &job, const JobLevels &levels, bool base, bool int32Errors, std::vector<Grouped> &out)
{
    // Where the value was written, else where the maximum was.
    const auto placeOf = [&](int level) {
        const ChainPlace at = levels.placeOf(level);
        return at.isSet() ? at : levels.maximumAt.isSet() ? levels.maximumAt : job.firstNamed;
    };
    if (const int level = firstLevel(levels, [](uint64_t exp) { return exp == 0; }))
        add(out, "sin_experiencia", true, placeOf(level), job.name,
            QStringLiteral(": el nivel %1 %2 no tiene experiencia y el máximo es %3: el personaje no pasa de ese "
                           "nivel.")
                .arg(kindName(base))
                .arg(level)
                .arg(levels.maximum));
    if (const int level = firstLevel(levels, [](uint64_t exp) { return exp > kLargestInt32; }))
        add(out, "mas_de_int32", int32Errors, placeOf(level), job.name,
            QStringLiteral(": el nivel %1 %2 pide %3, más de 2147483647: un servidor compilado para clientes "
                           "anteriores a 2017 nunca lo alcanza.")
                .arg(kindName(base))
                .arg(level)
                .arg(levels.at(level)));
}

} // namespace

ChainCheck checkJobChain(const JobChain &chain, bool int32Errors)
{
    ChainCheck check;
    check.findings = chain.notes();
    std::vector<Grouped> grouped;
    for (const LoadedJob &job : chain.jobs()) {
        const bool baseTable = job.base.entry >= 0, jobTable = job.job.entry >= 0;
        if (baseTable != jobTable)
            check.findings.push_back(
                {"sin_tabla", false, job.firstNamed,
                 QStringLiteral("%1 tiene tabla %2 y no %3: el servidor le da MAX_LEVEL (%4) con 0 en cada nivel %3, "
                                "y no sube ese nivel.")
                     .arg(job.name, kindName(baseTable), kindName(!baseTable))
                     .arg(chain.maxLevel())});
        else if (!baseTable)
            check.findings.push_back({"sin_tabla", false, job.firstNamed,
                                      QStringLiteral("%1 no tiene tabla base ni de trabajo en estos archivos: el "
                                                     "servidor le da MAX_LEVEL (%2) con 0 en cada nivel, y no sube.")
                                          .arg(job.name)
                                          .arg(chain.maxLevel())});
        if (baseTable)
            checkLevels(job, job.base, true, int32Errors, grouped);
        if (jobTable)
            checkLevels(job, job.job, false, int32Errors, grouped);
    }
    for (const Grouped &group : grouped)
        check.findings.push_back({group.code, group.error, group.place, jobNamesText(group.names) + group.tail});
    std::stable_sort(check.findings.begin(), check.findings.end(), [](const ChainNote &a, const ChainNote &b) {
        return std::tie(a.place.file, a.place.line, a.place.column)
               < std::tie(b.place.file, b.place.line, b.place.column);
    });
    for (const ChainNote &finding : check.findings)
        (finding.error ? check.errors : check.warnings) += 1;
    return check;
}
