// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// A libconfig file (the servers' exp_group_db.conf and job_db.conf) as a
// tree of its own, read as the servers' bundled copy of the library reads
// it, not as Debian's libconfig does:
// - a setting may be repeated in one group (both are kept; a lookup takes
//   the first), as the shipped job_db.conf repeats Baby_Novice;
// - a plain integer is 32-bit and wraps silently; with L (or LL) it is
//   64-bit; `_` separates digits; 0x, 0b and 0o are read; a leading + is a
//   sign;
// - an array whose elements are not all of one type (32-bit and 64-bit
//   integers are two types) fails the whole file;
// - a trailing comma closes an array or a list;
// - comments are `//`, `#` and `/* */`.
// Every value keeps its bytes in the file, so that a writer can change one
// value and keep every other byte. An @include, a number past 64 bits, a
// nesting deeper than kMaxConfigDepth and a file past its bound on nodes
// are refused.

#include <QString>

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Far deeper than any real file (job_db.conf nests three levels).
inline constexpr int kMaxConfigDepth = 64;

struct ConfigNode
{
    enum Kind : uint8_t { Group, Array, List, Integer, Integer64, Float, Boolean, String };
    Kind kind = Group;
    bool wrapped = false;           // an Integer whose literal does not fit in 32 bits
    std::string name;               // the setting's name; empty for an element
    size_t nameAt = 0;              // the name's first byte (a setting)
    size_t begin = 0, end = 0;      // the value's bytes, end excluded
    int64_t integer = 0;            // Integer (as the server keeps it: wrapped to 32 bits), Integer64, Boolean
    uint64_t written = 0;           // an integer's literal value, before any wrap (its sign apart)
    bool negative = false;          // the literal had a minus sign
    std::string text;               // a String's value
    std::vector<uint32_t> children; // indices of the settings or elements, in order
};

struct ConfigFailure
{
    size_t at = 0;              // the byte where the reading stopped
    QString message;            // Spanish
    bool mixedIntegers = false; // an array mixing 32-bit and 64-bit integers
    bool bound = false;         // past the bound on nodes or depth
};

class ConfigTree
{
public:
    // Reads `text`; the root is a group of the file's settings.
    std::optional<ConfigFailure> parse(std::string_view text, size_t maxNodes);

    const ConfigNode &root() const { return nodes_.front(); }
    const ConfigNode &node(uint32_t index) const { return nodes_[index]; }
    size_t size() const { return nodes_.size(); }
    // The first setting of `group` named exactly `name`, or null.
    const ConfigNode *member(const ConfigNode &group, std::string_view name) const;

    // 1-based line and column (in bytes) of a byte of the text read.
    std::pair<int, int> placeOf(size_t at) const;

private:
    std::deque<ConfigNode> nodes_; // node 0 is the root
    std::vector<size_t> lineStarts_;
    friend class ConfigParser;
};
