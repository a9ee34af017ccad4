// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// Files and tables the tests write, read and build, written once.

#include "table/core/experience_table.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <initializer_list>
#include <string>
#include <string_view>

// Writes a test file whole; false when it could not.
inline bool putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A file's bytes, or "<missing>" when it cannot be read.
inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A table as a file would give it: packed rows, row n labelled n + 1.
inline ExperienceTable tableOfRows(std::initializer_list<std::string_view> rows)
{
    ExperienceTable table;
    table.setRowCount(1);
    int32_t label = 2;
    for (std::string_view row : rows)
        table.appendRow(label++, row);
    return table;
}

// `rows` copies of one packed row.
inline ExperienceTable tableOfRepeated(int rows, std::string_view row)
{
    ExperienceTable table;
    table.setRowCount(1);
    for (int r = 1; r <= rows; ++r)
        table.appendRow(r + 1, row);
    return table;
}

// Rows "1,2,3,...,14", "2,2,3,...,14", ...: the first value is the level.
inline ExperienceTable numberedTable(int rows)
{
    ExperienceTable table;
    table.setRowCount(1);
    for (int r = 1; r <= rows; ++r)
        table.appendRow(r + 1, std::to_string(r) + ",2,3,4,5,6,7,8,9,10,11,12,13,14");
    return table;
}
