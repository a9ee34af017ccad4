// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// Small exp_group_db.conf and job_db.conf files in the servers' layout
// (tab indents, ten values a line, a comment block on top), written here
// from what the servers read: the tests' own fixtures.

#include "server/core/exp_groups.h"

#include <QByteArray>
#include <QList>
#include <QPair>

struct GroupSpec
{
    QByteArray name;
    int maxLevel;
    QList<quint64> values;
    QByteArray suffix = {}; // "L" on every value
};

inline QByteArray groupText(const GroupSpec &group)
{
    QByteArray text = "\t" + group.name + ": {\n\t\tMaxLevel: " + QByteArray::number(group.maxLevel) + "\n\t\tExp: [\n";
    for (qsizetype i = 0; i < group.values.size(); ++i) {
        if (i % 10 == 0)
            text += "\t\t\t";
        text += QByteArray::number(group.values[i]) + group.suffix;
        if (i + 1 < group.values.size())
            text += i % 10 == 9 ? ",\n" : ", ";
    }
    return text + "\n\t\t]\n\t}\n";
}

inline QByteArray groupsFile(const QList<GroupSpec> &base, const QList<GroupSpec> &job)
{
    QByteArray text = "//= Grupos de prueba.\n//=========\n\nbase_exp_group_db: {\n";
    for (const GroupSpec &group : base)
        text += groupText(group);
    text += "}\njob_exp_group_db: {\n";
    for (const GroupSpec &group : job)
        text += groupText(group);
    return text + "}\n";
}

// Values first, first + step, … (count of them).
inline QList<quint64> rising(int count, quint64 first, quint64 step = 1)
{
    QList<quint64> values;
    for (int i = 0; i < count; ++i)
        values << first + quint64(i) * step;
    return values;
}

// The groups the seven representative jobs use in the servers' files, with
// short curves, and groups no column covers.
inline QByteArray shippedLikeGroups()
{
    return groupsFile({{"FirstClasses", 5, rising(4, 10)},
                       {"TranscendedClasses", 6, rising(5, 20)},
                       {"ThirdClasses", 4, rising(3, 500)},
                       {"Homunculus", 3, rising(2, 7)}},
                      {{"Novice", 4, rising(3, 1)},
                       {"FirstClasses", 5, rising(4, 2)},
                       {"SecondClasses", 5, rising(4, 3)},
                       {"SuperNovice", 7, rising(6, 4)},
                       {"HighNovice", 4, rising(3, 5)},
                       {"TranscendedFirstClasses", 5, rising(4, 6)},
                       {"TranscendedSecondClasses", 6, rising(5, 7)},
                       {"ThirdClasses", 3, rising(2, 900)}});
}

inline QByteArray linkEntry(const QByteArray &job, const QByteArray &base, const QByteArray &jobGroup)
{
    return job + ": {\n\tBaseExpGroup: \"" + base + "\"\n\tJobExpGroup: \"" + jobGroup
           + "\"\n\tParametersGroup: \"FirstClasses\"\n\tHPTable: [ 40, 45, 50 ]\n\tInherit: (\"Novice\")\n}\n";
}

// Every job the servers know, linked as the shipped files link them (the
// ones no column covers on ThirdClasses), Baby_Novice twice as there.
inline QByteArray shippedLikeLinks()
{
    const QList<QPair<QByteArray, QByteArray>> pairs = {
        {"FirstClasses Novice", "Novice Baby_Novice"},
        {"FirstClasses FirstClasses",
         "Swordsman Magician Archer Acolyte Merchant Thief Taekwon Baby_Swordsman Baby_Magician Baby_Archer "
         "Baby_Acolyte Baby_Merchant Baby_Thief Baby_Taekwon"},
        {"FirstClasses SecondClasses",
         "Knight Priest Wizard Blacksmith Hunter Assassin Crusader Rogue Sage Alchemist Monk Bard Dancer Soul_Linker "
         "Death_Knight Dark_Collector Baby_Knight Baby_Priest Baby_Wizard Baby_Blacksmith Baby_Hunter Baby_Assassin "
         "Baby_Crusader Baby_Rogue Baby_Sage Baby_Alchemist Baby_Monk Baby_Bard Baby_Dancer Baby_Soul_Linker "
         "Soul_Reaper Baby_Soul_Reaper Star_Gladiator Baby_Star_Gladiator Star_Emperor Baby_Star_Emperor Gunslinger "
         "Ninja Gangsi Baby_Ninja Baby_Gunslinger"},
        {"FirstClasses SuperNovice", "Super_Novice Super_Baby"},
        {"TranscendedClasses HighNovice", "Novice_High"},
        {"TranscendedClasses TranscendedFirstClasses",
         "Swordsman_High Magician_High Archer_High Acolyte_High Merchant_High Thief_High"},
        {"TranscendedClasses TranscendedSecondClasses",
         "Lord_Knight High_Priest High_Wizard Whitesmith Sniper Assassin_Cross Paladin Champion Professor Stalker "
         "Creator Clown Gypsy"},
    };
    QByteArray text = "/* Entradas de prueba. */\n";
    for (const char *job : groupFamilyJobs()) {
        QByteArray groups = "ThirdClasses ThirdClasses";
        for (const auto &[linked, jobs] : pairs)
            if (jobs.split(' ').contains(QByteArray(job)))
                groups = linked;
        const QList<QByteArray> two = groups.split(' ');
        text += linkEntry(job, two[0], two[1]);
    }
    return text + "// repetido, como en los del servidor\n" + linkEntry("Baby_Novice", "FirstClasses", "Novice");
}
