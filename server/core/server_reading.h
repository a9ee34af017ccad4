// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// A table file as the game servers that read the fourteen-column table read
// it, which is not as the editor reads it:
// - line by line into a buffer of 1,024 bytes: a line of more than 1,022
//   bytes before its line end is cut, the rest read as a line of its own;
// - a line whose first two bytes are "//" is skipped;
// - a line is kept when fourteen numbers are read from its start as C's
//   sscanf reads "%d,%d,…": blanks before each number skipped, a sign
//   allowed, the comma right after the number, anything after the
//   fourteenth ignored; any other line is dropped and later levels move up;
// - values are the low 32 bits of the C library's long (2147483648 is read
//   as -2147483648), a number too long for a long its largest;
// - at most 255 rows are kept;
// - a lone CR is no line end, so it glues two lines;
// - built for Windows, they stop reading at a byte 0x1A;
// - in each column the character stops at the first row whose value is 0 or
//   negative; there is no level past row 255.

#include "table/core/experience_table.h"

#include <QtGlobal>

#include <array>
#include <string_view>
#include <vector>

inline constexpr int kServerRows = 255;
inline constexpr size_t kServerLineBytes = 1022; // before the line end

struct ServerReading
{
    struct Row
    {
        qint64 line;                              // the file line (as the editor counts lines) its first number is on
        size_t lineStart;                         // where that line begins in the file
        std::array<qint64, kValueColumns> values; // as the C library's long holds them, before the cut to 32 bits
    };
    std::vector<Row> rows;       // the rows kept, at most kServerRows
    qint64 firstIgnoredLine = 0; // the line of a row past kServerRows; 0 for none

    struct LoneCr
    {
        qint64 line;     // the line that ends in it
        qint64 lostLine; // the next line, when the server loses the level it holds; else 0
    };
    std::vector<LoneCr> loneCrs; // in what the server reads
    bool crThroughout = false;   // lone CRs and no LF at all: one line for the server

    struct LongLine
    {
        qint64 line;
        qint64 bytes;        // before its line end
        qint64 lastLine = 0; // for lines joined by lone CRs into one server line: the last of them; else 0
    };
    std::vector<LongLine> longLines;

    qint64 windowsEndLine = 0; // the first byte 0x1A: its line and 1-based column; 0 for none
    qint64 windowsEndColumn = 0;
};

// Reads `bytes` as the servers do, as far as they read.
ServerReading readAsServers(std::string_view bytes);

// A value as a server built with `bits`-bit values reads it: 32 cuts to the
// low 32 bits (signed), 64 keeps it; `isUnsigned` for readers that widened the type.
qint64 valueAsRead(qint64 value, int bits, bool isUnsigned);

// The last level of each of the fourteen columns for the rows a server kept:
// the first row whose value (as read) is 0 or negative, else the row after
// the last, at most kServerRows.
std::array<int, kValueColumns> lastLevels(const ServerReading &reading, int bits, bool isUnsigned);
