// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// What an admin asks of a table file before it goes live: will the server
// read every line, does a value pass its integer type, did a curve drop.

#include "table/core/experience_table.h"

#include <QString>

#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

struct TableFinding
{
    qint64 line;            // 1-based line of the file
    int field;              // 1-based field of that line, 0 for the whole line
    bool error;             // else a warning
    const char *code;       // "campos", "vacio", "no_numerico", ... (findingCodes())
    QString message;        // Spanish, naming the column by its header
    qint64 level;           // the level the field falls in, 0 for a whole-line finding
    qint64 startColumn = 0; // the field's bytes in its line, 1-based, end
    qint64 endColumn = 0;   // excluded; 0 for a whole-line finding
};

// A kind of finding: its code, whether it is an error, and what it means.
struct FindingCode
{
    const char *code;
    bool error;
    const char *description; // Spanish, one sentence
};

// Every kind of finding the check (and comprobar's --niveles) can report:
// what the reports' rules, the manual page and the tests read.
std::span<const FindingCode> findingCodes();

struct TableCheck
{
    std::vector<TableFinding> findings; // in file order
    qint64 levels = 0;
    qint64 lines = 0;
    // Where each class group (column 1 to 14) ends as a server reads the
    // file: the first row whose value is 0 or negative, at most 255.
    std::array<int, kValueColumns> lastLevels{};
};

// The integer type a server keeps the table's values in: int32 for the
// servers that read this table; uint32 and int64 for readers that widened it.
enum class ServerInteger { Int32, Uint32, Int64 };

// The type by its name (--tipo), in any case; none for another name.
std::optional<ServerInteger> serverIntegerNamed(QStringView name);
// "int32", "uint32", "int64".
QString serverIntegerName(ServerInteger type);
// Its largest value, as decimal digits.
std::string_view largestOf(ServerInteger type);

// A field's value as reports quote it: whole up to 40 characters, longer
// ones cut there and followed by their full length.
QString shownValue(std::string_view text);

// Checks a table file's bytes line by line as the editor reads them, against
// the largest value of `type`, and as the game servers read them; with
// `expectedLevels` (0 or more), each group's last level against it.
TableCheck checkTableBytes(std::string_view bytes, ServerInteger type, qint64 expectedLevels = -1);
