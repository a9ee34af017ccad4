// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "chart/core/curves.h"

#include "core/word_bytes.h"
#include "table/core/experience_table.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>
#include <string_view>
#include <system_error>
#include <thread>

namespace {

// More digits than 64 bits hold: the nearest double is all a curve needs,
// and past 10^300 the top of any picture (an axis must stay finite).
double longValue(std::string_view digits)
{
    constexpr double kHighest = 1e300;
    double value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
        if (value >= kHighest)
            return kHighest;
    }
    return value;
}

// The lowest and the highest point of one bucket, kept in level order.
// Starting from infinities, adding a point is two comparisons.
struct Bucket
{
    double lowValue = std::numeric_limits<double>::infinity();
    double highValue = -std::numeric_limits<double>::infinity();
    int32_t lowLevel = 0, highLevel = 0;

    void add(int32_t level, double value)
    {
        if (value < lowValue) {
            lowValue = value;
            lowLevel = level;
        }
        if (value > highValue) {
            highValue = value;
            highLevel = level;
        }
    }

    void appendTo(QList<QPointF> &points) const
    {
        if (lowValue > highValue)
            return; // nothing in it
        const QPointF low(lowLevel, lowValue), high(highLevel, highValue);
        const bool lowFirst = lowLevel <= highLevel;
        points.append(lowFirst ? low : high);
        if (low != high)
            points.append(lowFirst ? high : low);
    }
};

// 0x80 in each byte of `word` that is not a decimal digit: at or past 0x80,
// past '9' or before '0'. No carry runs from one byte into the next.
uint64_t nonDigits(uint64_t word)
{
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    const uint64_t low = word & kLow7;
    return (word | (low + 0x4646464646464646ull) | ~(low + 0x5050505050505050ull)) & 0x8080808080808080ull;
}

// The first `count` bytes of `word` (1 to 8, all digits) as a number: the
// digits moved to the top over zero bytes, then paired, quadrupled and
// joined in three multiplications.
uint64_t digitsValue(uint64_t word, int count)
{
    if (count < 8)
        word <<= 8 * (8 - count);
    word = (word & 0x0F0F0F0F0F0F0F0Full) * 2561 >> 8;
    word = (word & 0x00FF00FF00FF00FFull) * 6553601 >> 16;
    return (word & 0x0000FFFF0000FFFFull) * 42949672960001ull >> 32;
}

// A field of up to 15 digits that a comma ends, read by words where sixteen
// bytes of the row are left: its value, and `length` set; false for anything
// else (the byte-by-byte reading decides then).
bool shortNumber(const char *field, const char *rowEnd, uint64_t &value, int &length)
{
    if (rowEnd - field < 16)
        return false;
    const uint64_t first = littleEndianWord(field);
    const uint64_t stops = nonDigits(first);
    if (stops != 0) {
        length = std::countr_zero(stops) >> 3;
    } else {
        const uint64_t later = nonDigits(littleEndianWord(field + 8));
        if (later == 0)
            return false;
        length = 8 + (std::countr_zero(later) >> 3);
    }
    if (length == 0 || field[length] != ',')
        return false;
    value = length <= 8
                ? digitsValue(first, length)
                : digitsValue(first, length - 8) * 100000000 + digitsValue(littleEndianWord(field + length - 8), 8);
    return true;
}

// The curves of rows [first, end), which begin a bucket: whole buckets,
// so two stretches of a table join by appending.
struct Stretch
{
    ByColumn<QList<QPointF>> points;
    qint64 notNumbers = 0;
    qint64 zeros = 0;
    double smallest = std::numeric_limits<double>::infinity();
    double largest = -std::numeric_limits<double>::infinity();
};

void drawStretch(const ExperienceTable &table, bool logarithmic, int32_t first, int32_t end, qint64 perBucket,
                 Stretch &out)
{
    ByColumn<Bucket> open{};
    for (int32_t row = first; row < end; ++row) {
        if ((row - 1) % perBucket == 0) {
            for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
                open[size_t(column)].appendTo(out.points[size_t(column)]);
                open[size_t(column)] = {};
            }
        }
        const std::string_view packed = table.packedRow(row);
        const char *p = packed.data();
        const char *const rowEnd = p + packed.size();
        for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
            double value;
            uint64_t whole = 0;
            int wordLength = 0;
            if (shortNumber(p, rowEnd, whole, wordLength)) {
                value = double(whole);
                p += wordLength + 1;
            } else {
                // One pass over the field: its digits as a number, and
                // whether they were all digits. A row may hold fewer than
                // fourteen fields: the rest are blank.
                const char *const start = p;
                unsigned notDigits = 0;
                for (; p < rowEnd && *p != ','; ++p) {
                    const unsigned digit = unsigned(*p - '0');
                    notDigits |= digit > 9;
                    whole = whole * 10 + digit;
                }
                const size_t length = size_t(p - start);
                if (p < rowEnd)
                    ++p;
                if (length == 0 || notDigits) {
                    ++out.notNumbers;
                    continue;
                }
                value = length <= 19 ? double(whole) : longValue(std::string_view(start, length));
            }
            if (logarithmic && value <= 0) {
                ++out.zeros;
                continue;
            }
            out.smallest = std::min(out.smallest, value);
            out.largest = std::max(out.largest, value);
            open[size_t(column)].add(row, value);
        }
    }
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column)
        open[size_t(column)].appendTo(out.points[size_t(column)]);
}

} // namespace

Curves curvesOf(const ExperienceTable &table, bool logarithmic, int buckets)
{
    Curves curves;
    curves.levels = table.rowCount() - 1;
    int32_t rows = table.rowCount();
    if (rows > 2 && isClosingRow(table.packedRow(rows - 1))) {
        curves.closingRowLeftOut = true;
        --rows;
    }
    const qint64 perBucket = std::max<qint64>(1, (curves.levels + buckets - 1) / buckets);

    // A long table in two halves at once, split where a bucket begins: the
    // reading is all the rest of the work, and two cores halve it.
    constexpr int32_t kRowsWorthAThread = 1 << 16;
    const qint64 bucketsInAll = (rows - 1 + perBucket - 1) / perBucket;
    const int32_t split = rows - 1 >= kRowsWorthAThread ? int32_t(1 + bucketsInAll / 2 * perBucket) : rows;
    Stretch front, back;
    std::thread second;
    if (split < rows) {
        try {
            second = std::thread([&] { drawStretch(table, logarithmic, split, rows, perBucket, back); });
        } catch (const std::system_error &) {
            // No thread to be had: one does it all.
        }
    }
    drawStretch(table, logarithmic, 1, second.joinable() ? split : rows, perBucket, front);
    if (second.joinable())
        second.join();

    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
        QList<QPointF> &points = curves.points[size_t(column)];
        points = std::move(front.points[size_t(column)]);
        points.append(back.points[size_t(column)]);
    }
    curves.notNumbers = front.notNumbers + back.notNumbers;
    curves.zeros = front.zeros + back.zeros;
    const double smallest = std::min(front.smallest, back.smallest), largest = std::max(front.largest, back.largest);
    if (smallest <= largest) {
        curves.smallest = smallest;
        curves.largest = largest;
    }
    return curves;
}
