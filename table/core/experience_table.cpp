// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "table/core/experience_table.h"

#include <QStringList>

#include <charconv>
#include <cstring>
#include <string>

const std::vector<QString> &headerTexts()
{
    static const std::vector<QString> pieces = [] {
        std::vector<QString> result;
        for (const QString &piece : QString::fromLatin1(kFormatoCuadricula).split(QLatin1Char('|')))
            result.push_back(piece);
        return result;
    }();
    return pieces;
}

QString columnName(int column)
{
    return headerTexts()[size_t(column)].trimmed();
}

std::string_view closingRow()
{
    static const std::string row = [] {
        std::string zeros = "0";
        for (int column = kFirstValueColumn + 1; column <= kLastValueColumn; ++column)
            zeros += ",0";
        return zeros;
    }();
    return row;
}

bool isClosingRow(std::string_view packed)
{
    int fields = 1;
    bool digitInField = false;
    for (const char c : packed) {
        if (c == ',') {
            if (!digitInField)
                return false;
            ++fields;
            digitInField = false;
        } else if (c == '0') {
            digitInField = true;
        } else {
            return false;
        }
    }
    return fields == kValueColumns && digitInField;
}

std::string_view fieldOf(std::string_view packed, int column)
{
    size_t start = 0;
    for (int c = 1; c < column; ++c) {
        const size_t comma = packed.find(',', start);
        if (comma == std::string_view::npos)
            return {};
        start = comma + 1;
    }
    const size_t end = packed.find(',', start);
    return packed.substr(start, end == std::string_view::npos ? packed.size() - start : end - start);
}

ExperienceTable::ExperienceTable()
{
    rows_.resize(1);
}

void ExperienceTable::setRowCount(int32_t count)
{
    Q_ASSERT(count >= 1);
    rows_.resize(size_t(count - 1));
    if (rows_.empty()) {
        arena_.clear();
        edits_.clear();
        editsGarbage_ = 0;
    }
}

void ExperienceTable::clearToEmptyTable()
{
    const int32_t firstLabel = rows_.empty() ? kNoLabel : rows_.front().label;
    rows_.assign(1, Row{});
    rows_.front().label = firstLabel;
    arena_.clear();
    edits_.clear();
    editsGarbage_ = 0;
}

QByteArray ExperienceTable::text(int32_t row, int column) const
{
    if (row == 0)
        return headerTexts()[size_t(column)].toLatin1();
    if (column == 0) {
        const int32_t number = label(row);
        if (number == kNoLabel)
            return {};
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
        return QByteArray(digits, int(end - digits));
    }
    const std::string_view field = value(row, column);
    return QByteArray(field.data(), qsizetype(field.size()));
}

std::string_view ExperienceTable::bytesOf(const Row &row) const
{
    if (row.offset & kEditedBit)
        return {edits_.data() + (row.offset & ~kEditedBit), row.length};
    return {arena_.data() + row.offset, row.length};
}

std::string_view ExperienceTable::packedRow(int32_t row) const
{
    return bytesOf(rows_[size_t(row - 1)]);
}

std::string_view ExperienceTable::value(int32_t row, int column) const
{
    return fieldOf(packedRow(row), column);
}

void ExperienceTable::setValue(int32_t row, int column, std::string_view text)
{
    Q_ASSERT(column >= kFirstValueColumn && column <= kLastValueColumn);
    Q_ASSERT(text.find_first_of(",\r\n") == std::string_view::npos);
    const std::string_view old = packedRow(row);

    std::string rebuilt;
    rebuilt.reserve(old.size() + text.size() + 14);
    for (int c = 1; c <= kLastValueColumn; ++c) {
        if (c > 1)
            rebuilt += ',';
        rebuilt += c == column ? text : fieldOf(old, c);
    }
    // Trailing empty fields need no commas.
    while (!rebuilt.empty() && rebuilt.back() == ',')
        rebuilt.pop_back();

    Row &target = rows_[size_t(row - 1)];
    if (target.offset & kEditedBit)
        editsGarbage_ += target.length;
    target.offset = uint64_t(edits_.size()) | kEditedBit;
    target.length = uint32_t(rebuilt.size());
    edits_.append(rebuilt.data(), rebuilt.size());
    if (editsGarbage_ > (1u << 20) && editsGarbage_ * 2 > size_t(edits_.size()))
        compactEdits();
}

void ExperienceTable::compactEdits()
{
    ByteBuffer fresh;
    for (Row &row : rows_) {
        if (!(row.offset & kEditedBit))
            continue;
        const std::string_view bytes = bytesOf(row);
        const uint64_t offset = uint64_t(fresh.size());
        fresh.append(bytes.data(), bytes.size());
        row.offset = offset | kEditedBit;
    }
    edits_ = std::move(fresh);
    editsGarbage_ = 0;
}

void ExperienceTable::appendRow(int32_t label, std::string_view packed)
{
    const size_t offset = arena_.size();
    arena_.append(packed.data(), packed.size());
    appendArenaRow(label, offset, packed.size());
}

void ExperienceTable::appendArenaRow(int32_t label, size_t offset, size_t length)
{
    rows_.push_back(Row{uint64_t(offset), uint32_t(length), label});
}

void ExperienceTable::adoptArena(ByteBuffer bytes)
{
    arena_ = std::move(bytes);
}

size_t ExperienceTable::memoryBytes() const
{
    return arena_.capacity() + edits_.capacity() + rows_.capacity() * sizeof(Row);
}

void ExperienceTable::swap(ExperienceTable &other) noexcept
{
    std::swap(arena_, other.arena_);
    std::swap(edits_, other.edits_);
    std::swap(editsGarbage_, other.editsGarbage_);
    rows_.swap(other.rows_);
}

qint64 ExperienceTable::arenaOffset(int32_t row) const
{
    const Row &r = rows_[size_t(row - 1)];
    return r.offset & kEditedBit ? -1 : qint64(r.offset);
}
