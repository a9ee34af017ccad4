#include "chart/core/curves.h"

#include "table/core/experience_table.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

namespace {

// Plain decimal digits as a number; the nearest double is all a curve needs.
// Whole up to 19 digits, so the common case is integer work.
std::optional<double> valueOf(std::string_view field)
{
    if (field.empty() || field.size() > 19) {
        if (field.empty())
            return std::nullopt;
        double value = 0;
        for (const char c : field) {
            if (c < '0' || c > '9')
                return std::nullopt;
            value = value * 10 + (c - '0');
        }
        return value;
    }
    uint64_t value = 0;
    for (const char c : field) {
        const unsigned digit = unsigned(c - '0');
        if (digit > 9)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return double(value);
}

// The lowest and the highest point of one bucket, kept in level order.
struct Bucket
{
    QPointF low, high;
    bool used = false;

    void add(QPointF point)
    {
        if (!used) {
            low = high = point;
            used = true;
            return;
        }
        if (point.y() < low.y())
            low = point;
        if (point.y() > high.y())
            high = point;
    }

    void appendTo(QList<QPointF> &points) const
    {
        if (!used)
            return;
        const bool lowFirst = low.x() <= high.x();
        points.append(lowFirst ? low : high);
        if (low != high)
            points.append(lowFirst ? high : low);
    }
};

// The row of zeros that generation writes after the last level.
bool isClosingRow(std::string_view packed)
{
    int fields = 1;
    for (const char c : packed) {
        if (c == ',')
            ++fields;
        else if (c != '0')
            return false;
    }
    return fields == 14 && packed.size() == 27;
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
    std::array<Bucket, 15> open{};
    bool any = false;
    for (int32_t row = 1; row < rows; ++row) {
        if ((row - 1) % perBucket == 0) {
            for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
                open[size_t(column)].appendTo(curves.points[size_t(column)]);
                open[size_t(column)] = {};
            }
        }
        const std::string_view packed = table.packedRow(row);
        const char *p = packed.data();
        const char *const end = p + packed.size();
        for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
            // A row may hold fewer than fourteen fields: the rest are blank.
            const char *const fieldEnd = p < end ? std::find(p, end, ',') : end;
            const std::string_view field(p, size_t(fieldEnd - p));
            p = fieldEnd < end ? fieldEnd + 1 : end;
            const std::optional<double> value = valueOf(field);
            if (!value) {
                ++curves.notNumbers;
                continue;
            }
            if (logarithmic && *value <= 0) {
                ++curves.zeros;
                continue;
            }
            curves.smallest = any ? std::min(curves.smallest, *value) : *value;
            curves.largest = any ? std::max(curves.largest, *value) : *value;
            any = true;
            open[size_t(column)].add(QPointF(row, *value));
        }
    }
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column)
        open[size_t(column)].appendTo(curves.points[size_t(column)]);
    return curves;
}
