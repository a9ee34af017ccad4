// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include "table/core/byte_buffer.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

// Column 0 holds the level label; columns 1 to 7 the base values and 8 to 14
// the job values, of the seven class groups in the same order: column c and
// c + 7 are one class group's base and job curves.
inline constexpr int kColumnCount = 15;
inline constexpr int kValueColumns = 14;
inline constexpr int kBaseColumns = 7; // and as many job columns: one of each a class group
inline constexpr int kFirstValueColumn = 1;
inline constexpr int kLastValueColumn = kValueColumns;

// Something for each column, indexed by column number (index 0, the label's, unused).
template <typename T> using ByColumn = std::array<T, kColumnCount>;

constexpr bool isBaseColumn(int column)
{
    return column <= kBaseColumns;
}

// The class group (1 to 7) a value column belongs to.
constexpr int classGroupOf(int column)
{
    return isBaseColumn(column) ? column : column - kBaseColumns;
}

// A class group's base and job columns.
constexpr int baseColumnOf(int classGroup)
{
    return classGroup;
}
constexpr int jobColumnOf(int classGroup)
{
    return classGroup + kBaseColumns;
}

// The header texts and column widths of the grid, one piece per column.
inline constexpr char kFormatoCuadricula[] =
    "Sig Nivel|Nob Base       | Base 1            | Base 2            | Sup Nob Base | High Nob Base |"
    " Base 1a            | Base 2a            | Nob Job    | Job 1            | Job 2            |"
    " Sup Nob Job | High Nob Job | Job 1a            | Job 2a            ";

// The fifteen pieces of kFormatoCuadricula, spaces kept.
const std::vector<QString> &headerTexts();

// A value column's name as reports give it ("Nob Base", "Job 2a").
QString columnName(int column);

// How a table file's first line begins: the editor's comment line.
inline constexpr std::string_view kCommentLinePrefix = "//Archivo Creado Con ";

// The row of zeros generation writes after the last level, as a row's
// fields joined by commas: fourteen fields, each one or more '0'. It closes
// the table (a character stops there) and is no level of a curve.
bool isClosingRow(std::string_view packed);
// The closing row as generation writes it: fourteen single zeros.
std::string_view closingRow();

// The experience table as the grid holds it: text cells by (row, column),
// row 0 the header row, rows 1 to rowCount() - 1 the levels.
//
// Cells hold bytes. A value cell never holds ',', '\r' or '\n' (the file
// format has no way to write them), so a row is kept as its fields joined by
// commas, as it stands in a table file; rows read from a file point straight
// into the file's bytes. That keeps a million-row table at little more than
// the size of its file.
class ExperienceTable
{
public:
    static constexpr int32_t kNoLabel = INT32_MIN;

    ExperienceTable(); // the empty table

    int32_t rowCount() const { return int32_t(rows_.size()) + 1; }

    // Smaller drops rows from the bottom, larger appends blank rows; row 0
    // always stays. count must be at least 1.
    void setRowCount(int32_t count);

    // Row count 2 with row 1 blank in columns 1 to 14; row 1 keeps its label.
    void clearToEmptyTable();

    // Any cell, header and labels included, as the grid shows it.
    QByteArray text(int32_t row, int column) const;

    // Columns 1 to 14 of a table row (1 <= row < rowCount()).
    std::string_view value(int32_t row, int column) const;
    // text must hold no ',', '\r' or '\n'.
    void setValue(int32_t row, int column, std::string_view text);

    int32_t label(int32_t row) const { return rows_[size_t(row - 1)].label; }
    void setLabel(int32_t row, int32_t label) { rows_[size_t(row - 1)].label = label; }

    // Bulk building for the reader and the generator. packed is at most
    // fourteen fields joined by commas (fewer leave the rest blank).
    void appendRow(int32_t label, std::string_view packed);
    // As appendRow, but the bytes already stand in the arena (see adoptArena).
    void appendArenaRow(int32_t label, size_t offset, size_t length);
    // Takes over a whole byte buffer (a file's contents) as row storage.
    void adoptArena(ByteBuffer bytes);
    void reserveRows(size_t rows) { rows_.reserve(rows); }
    void shrinkRows() { rows_.shrink_to_fit(); }

    // A table row's fields joined by commas, possibly fewer than fourteen.
    std::string_view packedRow(int32_t row) const;

    // The bytes taken over by adoptArena (a read file's contents), and where
    // a row read from them starts there; -1 for a row set otherwise.
    std::string_view arena() const { return {arena_.data(), arena_.size()}; }
    qint64 arenaOffset(int32_t row) const;

    // Bytes held, for measuring.
    size_t memoryBytes() const;

    void swap(ExperienceTable &other) noexcept;

private:
    struct Row
    {
        uint64_t offset = 0; // top bit: in edits_ rather than arena_
        uint32_t length = 0;
        int32_t label = kNoLabel;
    };
    static constexpr uint64_t kEditedBit = uint64_t(1) << 63;

    std::string_view bytesOf(const Row &row) const;
    void compactEdits();

    ByteBuffer arena_; // bulk rows, never rewritten
    ByteBuffer edits_; // rows rewritten by setValue
    size_t editsGarbage_ = 0;
    std::vector<Row> rows_; // table rows 1 .. rowCount() - 1
};

// Field `column` (1-based) of a packed row; empty when the row has fewer.
std::string_view fieldOf(std::string_view packed, int column);
