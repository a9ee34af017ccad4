// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// Small YAML job databases in the servers' layout (two-space indent, one
// item per level), written here from what the servers read: the tests'
// own fixtures.

#include "server/core/job_chain.h"

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <string>

inline QByteArray jobHeader(int version = 2)
{
    return "Header:\n  Type: JOB_STATS\n  Version: " + QByteArray::number(version) + "\n\nBody:\n";
}

// One entry: `jobs` (space-separated) with a maximum and items 1..maximum,
// the value of level L given by `exp` (the placeholder at the maximum).
inline QByteArray jobEntry(
    const QString &jobs, bool base, int maximum,
    const std::function<quint64(int)> &exp = [](int level) { return quint64(level) * 10; })
{
    QByteArray text = "  - Jobs:\n";
    for (const QString &job : jobs.split(u' ', Qt::SkipEmptyParts))
        text += "      " + job.toUtf8() + ": true\n";
    text += base ? "    MaxBaseLevel: " : "    MaxJobLevel: ";
    text += QByteArray::number(maximum) + (base ? "\n    BaseExp:\n" : "\n    JobExp:\n");
    for (int level = 1; level <= maximum; ++level)
        text += "      - Level: " + QByteArray::number(level) + "\n        Exp: "
                + QByteArray::number(level == maximum ? (base ? 99999999ull : 999999999ull) : exp(level)) + "\n";
    return text;
}

// A whole file of the seven representative jobs, each alone in its base
// and its job entry, base curves 10·L and job curves 3·L.
inline QByteArray representativesFile(int baseMaximum = 99, int jobMaximum = 50)
{
    QByteArray text = jobHeader();
    const char *jobs[] = {"Novice", "Swordman", "Knight", "Supernovice", "Novice_High", "Swordman_High", "Lord_Knight"};
    for (const char *job : jobs)
        text += jobEntry(QString::fromLatin1(job), true, baseMaximum);
    for (const char *job : jobs)
        text += jobEntry(QString::fromLatin1(job), false, jobMaximum, [](int level) { return quint64(level) * 3; });
    return text;
}

inline JobFile jobFile(const QString &name, const QByteArray &text)
{
    return {name, text.toStdString()};
}
