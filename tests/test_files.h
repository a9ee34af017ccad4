// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// Files and tables the tests write, read and build, written once.

#include "table/core/experience_table.h"
#include "table/core/table_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QByteArrayList>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <initializer_list>
#include <string>
#include <string_view>

// A cache folder of the test's own, where saves of this process and the
// tools it starts keep their backups: never the real home's.
class PrivateCacheHome
{
public:
    PrivateCacheHome()
    {
        qputenv("XDG_CACHE_HOME", QFile::encodeName(folder_.path()));
        qputenv("LOCALAPPDATA", QFile::encodeName(folder_.path())); // Windows' own
    }
    QString path() const { return folder_.path(); }

private:
    QTemporaryDir folder_;
};

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

// The comment line a saved table starts with, its line end included (its
// exact text is pinned once, in tst_table_file).
inline QByteArray savedComment()
{
    return commentLine() + "\r\n";
}

// A table file's bytes as the editor reads them; a failure ends the test program.
inline ExperienceTable tableFromBytes(const QByteArray &bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    ExperienceTable table;
    QString error;
    if (!LeerTabla(buffer, table, &error))
        qFatal("unexpected read failure: %s", qPrintable(error));
    return table;
}

// A table's bytes as the editor saves it; a failure ends the test program.
inline QByteArray savedBytes(const ExperienceTable &table)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString error;
    if (!GuardarTabla(buffer, table, &error))
        qFatal("unexpected write failure: %s", qPrintable(error));
    return buffer.data();
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

// Rows "10,,5", "20,,5", ...: column 1 differs from row to row.
inline ExperienceTable tableOf(int rows)
{
    ExperienceTable table;
    table.setRowCount(1);
    for (int r = 1; r <= rows; ++r)
        table.appendRow(r + 1, std::to_string(r * 10) + ",,5");
    return table;
}

// `levels` rising levels, every column alike, with one spike and one dip.
inline ExperienceTable risingTable(int levels, int spikeAt, int dipAt, bool closingRow)
{
    ExperienceTable table;
    table.setRowCount(1); // no level yet
    for (int level = 1; level <= levels; ++level) {
        const long long value = level == spikeAt ? 1000000000LL : level == dipAt ? 1 : 1000LL + level;
        std::string row;
        for (int c = 0; c < 14; ++c)
            row += (c ? "," : "") + std::to_string(value);
        table.appendRow(level + 1, row);
    }
    if (closingRow)
        table.appendRow(levels + 2, "0,0,0,0,0,0,0,0,0,0,0,0,0,0");
    return table;
}

// Seven columns that never meet: column c holds the level times c + 1 times
// 1000, so every curve has pixels of its own colour in each panel.
inline QByteArray sevenApartTable()
{
    QByteArray table = savedComment();
    for (int level = 1; level <= 300; ++level) {
        QByteArrayList fields;
        for (int c = 0; c < 14; ++c)
            fields << QByteArray::number(qint64(level + 100) * (c % 7 + 1) * 1000);
        table += fields.join(',') + "\r\n";
    }
    return table;
}
