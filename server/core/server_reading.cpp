// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "server/core/server_reading.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// What C's isspace() takes in the "C" locale: what %d skips.
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c)
{
    return unsigned(c - '0') <= 9;
}

// The line (as the editor counts them: CR LF, LF or a lone CR ends one) of
// the bytes a server reads, found going forward only.
class LineCursor
{
public:
    explicit LineCursor(std::string_view bytes) : bytes_(bytes) {}

    qint64 lineOf(size_t at)
    {
        for (; at_ < at && at_ < bytes_.size(); ++at_) {
            const char c = bytes_[at_];
            if (c == '\n' || (c == '\r' && (at_ + 1 >= bytes_.size() || bytes_[at_ + 1] != '\n')))
                ++line_;
        }
        return line_;
    }

private:
    std::string_view bytes_;
    size_t at_ = 0;
    qint64 line_ = 1;
};

// Reads fourteen numbers from a line's start as sscanf("%d,%d,…") does;
// `firstAt` is where the first number's sign or digits begin.
bool readFourteen(std::string_view line, std::array<qint64, kValueColumns> &values, size_t *firstAt)
{
    constexpr qint64 kLongMax = std::numeric_limits<qint64>::max();
    size_t i = 0;
    for (size_t k = 0; k < kValueColumns; ++k) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        if (k == 0)
            *firstAt = i;
        bool negative = false;
        if (i < line.size() && (line[i] == '+' || line[i] == '-'))
            negative = line[i++] == '-';
        if (i >= line.size() || !isDigit(line[i]))
            return false;
        // strtol's long: a number too long for it is its largest, or least.
        quint64 magnitude = 0;
        bool saturated = false;
        for (; i < line.size() && isDigit(line[i]); ++i) {
            const unsigned digit = unsigned(line[i] - '0');
            if (magnitude > (quint64(kLongMax) + 1 - digit) / 10)
                saturated = true;
            else
                magnitude = magnitude * 10 + digit;
        }
        if (negative)
            values[k] =
                saturated || magnitude > quint64(kLongMax) ? std::numeric_limits<qint64>::min() : -qint64(magnitude);
        else
            values[k] = saturated || magnitude > quint64(kLongMax) ? kLongMax : qint64(magnitude);
        if (k < 13) {
            if (i >= line.size() || line[i] != ',')
                return false;
            ++i;
        }
    }
    return true;
}

// Whether the editor's line beginning at `at` holds a comma: a level for it.
bool lineHoldsLevel(std::string_view bytes, size_t at)
{
    for (; at < bytes.size() && bytes[at] != '\r' && bytes[at] != '\n'; ++at)
        if (bytes[at] == ',')
            return true;
    return false;
}

qint64 lineAt(std::string_view bytes, size_t at)
{
    LineCursor cursor(bytes);
    return cursor.lineOf(at);
}

} // namespace

ServerReading readAsServers(std::string_view bytes)
{
    ServerReading reading;
    if (const void *end = bytes.empty() ? nullptr : std::memchr(bytes.data(), 0x1A, bytes.size())) {
        const size_t at = size_t(static_cast<const char *>(end) - bytes.data());
        size_t lineStart = at;
        while (lineStart > 0 && bytes[lineStart - 1] != '\r' && bytes[lineStart - 1] != '\n')
            --lineStart;
        reading.windowsEndLine = lineAt(bytes, at);
        reading.windowsEndColumn = qint64(at - lineStart) + 1;
    }
    reading.crThroughout = bytes.find('\n') == std::string_view::npos && bytes.find('\r') != std::string_view::npos
                           && bytes.find('\r') + 1 < bytes.size();

    LineCursor cursor(bytes);
    size_t editorLineStart = 0;
    // The editor's lines longer than a server's buffer, among those read.
    const auto noteLongLines = [&](size_t upTo) {
        while (editorLineStart < upTo && editorLineStart < bytes.size()) {
            size_t end = editorLineStart;
            while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
                ++end;
            if (end - editorLineStart > kServerLineBytes)
                reading.longLines.push_back({cursor.lineOf(editorLineStart), qint64(end - editorLineStart)});
            editorLineStart = end + (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n' ? 2 : 1);
        }
    };

    size_t at = 0;
    size_t joinedSeen = 0; // the end of the last server line measured as joined lines
    while (at < bytes.size()) {
        // fgets into 1,024 bytes: up to the LF, at most 1,023 bytes.
        const size_t room = std::min(bytes.size() - at, kServerLineBytes + 1);
        const void *lf = std::memchr(bytes.data() + at, '\n', room);
        const size_t end = lf ? size_t(static_cast<const char *>(lf) - bytes.data()) + 1 : at + room;
        const std::string_view line = bytes.substr(at, end - at);
        std::array<qint64, kValueColumns> values{};
        size_t firstAt = 0;
        const bool comment = line.substr(0, 2) == "//";
        const bool kept = !comment && readFourteen(line, values, &firstAt);
        // Each lone CR inside the line glues the next line to it. The cursor
        // goes forward only: the positions are asked in order.
        const size_t rowAt = at + firstAt;
        qint64 rowLine = 0;
        std::vector<std::pair<size_t, qint64>> crs;
        for (size_t cr = at; cr + 1 < end; ++cr) {
            if (bytes[cr] != '\r' || bytes[cr + 1] == '\n')
                continue;
            if (kept && rowLine == 0 && rowAt < cr)
                rowLine = cursor.lineOf(rowAt);
            crs.emplace_back(cr, cursor.lineOf(cr));
        }
        if (kept && rowLine == 0)
            rowLine = cursor.lineOf(rowAt);
        for (const auto &[cr, crLine] : crs) {
            const bool lost = lineHoldsLevel(bytes, cr + 1) && rowLine != crLine + 1;
            reading.loneCrs.push_back({crLine, lost ? crLine + 1 : 0});
        }
        const size_t longBefore = reading.longLines.size();
        noteLongLines(end);
        // A server line cut here though no line of the editor's is that long:
        // lone CRs joined them. (Cut right before its LF, only an empty line
        // follows: nothing lost.) Measured once, from where it starts to its LF.
        if (!lf && end < bytes.size() && bytes[end] != '\n' && at >= joinedSeen
            && longBefore == reading.longLines.size() && !reading.crThroughout) {
            const void *next = std::memchr(bytes.data() + at, '\n', bytes.size() - at);
            joinedSeen = next ? size_t(static_cast<const char *>(next) - bytes.data()) : bytes.size();
            size_t length = joinedSeen - at;
            if (length > 0 && bytes[at + length - 1] == '\r')
                --length;
            const qint64 first = cursor.lineOf(at);
            LineCursor ahead(bytes);
            reading.longLines.push_back({first, qint64(length), ahead.lineOf(at + length)});
        }
        if (kept) {
            if (reading.rows.size() == size_t(kServerRows)) {
                reading.firstIgnoredLine = rowLine;
                break;
            }
            size_t lineStart = at + firstAt;
            while (lineStart > 0 && bytes[lineStart - 1] != '\r' && bytes[lineStart - 1] != '\n')
                --lineStart;
            reading.rows.push_back({rowLine, lineStart, values});
        }
        at = end;
    }
    return reading;
}

qint64 valueAsRead(qint64 value, int bits, bool isUnsigned)
{
    if (bits >= 64)
        return value;
    return isUnsigned ? qint64(quint32(quint64(value))) : qint64(qint32(quint32(quint64(value))));
}

std::array<int, kValueColumns> lastLevels(const ServerReading &reading, int bits, bool isUnsigned)
{
    std::array<int, kValueColumns> last{};
    for (size_t column = 0; column < kValueColumns; ++column) {
        const auto row = std::find_if(reading.rows.begin(), reading.rows.end(), [&](const ServerReading::Row &r) {
            return valueAsRead(r.values[column], bits, isUnsigned) <= 0;
        });
        last[column] = std::min(int(row - reading.rows.begin()) + 1, kServerRows);
    }
    return last;
}
