// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// One YAML document as a small tree of its own, with every node's place,
// read the way the servers' YAML reader reads it and no further: anchors
// and aliases, a second document and a key given twice in one map are
// refused (that reader does not resolve aliases, and keeps the first of two
// keys where others keep the last), so the tree never holds what a server
// would read otherwise. The nodes are bounded in number, so a file cannot
// take memory out of proportion to its size.

#include <QString>

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

struct YamlNode
{
    enum Kind : uint8_t { Null, Scalar, Sequence, Map };
    Kind kind = Null;
    bool flow = false;                        // a sequence or map written [ … ] or { … }
    int line = 0;                             // 1-based
    int column = 0;                           // 1-based
    uint32_t firstChild = 0, nextSibling = 0; // indices; 0 for none (node 0 is no child)
    std::string text;                         // a scalar's value
};

struct YamlFailure
{
    int line = 0, column = 0;
    QString message;    // Spanish
    bool bound = false; // past the bound on nodes
};

class YamlTree
{
public:
    // Reads `text`. A map's children alternate key and value.
    std::optional<YamlFailure> parse(const std::string &text, qint64 maxNodes);

    const YamlNode *root() const { return nodes_.size() > 1 ? &nodes_[1] : nullptr; }
    const YamlNode *firstChild(const YamlNode &node) const { return at(node.firstChild); }
    const YamlNode *next(const YamlNode &node) const { return at(node.nextSibling); }
    // The value of `key` in `map`, or null.
    const YamlNode *value(const YamlNode &map, std::string_view key) const;
    // The key node of `key` in `map`, or null.
    const YamlNode *key(const YamlNode &map, std::string_view key) const;

    size_t size() const { return nodes_.size(); }

private:
    const YamlNode *at(uint32_t index) const { return index ? &nodes_[index] : nullptr; }
    std::deque<YamlNode> nodes_; // node 0 unused; a deque: no copy of all nodes as it grows
    friend class YamlTreeBuilder;
};
