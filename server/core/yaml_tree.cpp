// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "server/core/yaml_tree.h"

#include <yaml-cpp/eventhandler.h>
#include <yaml-cpp/exceptions.h>
#include <yaml-cpp/mark.h>
#include <yaml-cpp/parser.h>

#include <set>
#include <sstream>
#include <vector>

namespace {

// Thrown from the handler to stop the parse at once.
struct Stop
{
    YamlFailure failure;
};

} // namespace

class YamlTreeBuilder : public YAML::EventHandler
{
public:
    YamlTreeBuilder(std::deque<YamlNode> &nodes, qint64 maxNodes) : nodes_(nodes), maxNodes_(maxNodes)
    {
        nodes_.assign(1, YamlNode{});
    }

    void OnDocumentStart(const YAML::Mark &) override {}
    void OnDocumentEnd() override {}

    void OnNull(const YAML::Mark &mark, YAML::anchor_t anchor) override
    {
        refuseAnchor(mark, anchor);
        add(YamlNode::Null, mark);
    }

    void OnAlias(const YAML::Mark &mark, YAML::anchor_t) override
    {
        stop(mark, QStringLiteral("un alias (*nombre): el servidor no los resuelve y lee otra cosa que lo que se "
                                  "ve; escriba el valor entero."));
    }

    void OnAnchor(const YAML::Mark &mark, const std::string &) override
    {
        stop(mark, QStringLiteral("un ancla (&nombre): el servidor no resuelve anclas ni alias; escriba cada valor "
                                  "entero."));
    }

    void OnScalar(const YAML::Mark &mark, const std::string &, YAML::anchor_t anchor, const std::string &value) override
    {
        refuseAnchor(mark, anchor);
        nodes_[add(YamlNode::Scalar, mark)].text = value;
    }

    void OnSequenceStart(const YAML::Mark &mark, const std::string &, YAML::anchor_t anchor,
                         YAML::EmitterStyle::value style) override
    {
        refuseAnchor(mark, anchor);
        const uint32_t index = add(YamlNode::Sequence, mark);
        nodes_[index].flow = style == YAML::EmitterStyle::Flow;
        open_.push_back({index, 0});
    }

    void OnSequenceEnd() override { open_.pop_back(); }

    void OnMapStart(const YAML::Mark &mark, const std::string &, YAML::anchor_t anchor,
                    YAML::EmitterStyle::value style) override
    {
        refuseAnchor(mark, anchor);
        const uint32_t index = add(YamlNode::Map, mark);
        nodes_[index].flow = style == YAML::EmitterStyle::Flow;
        open_.push_back({index, 0});
    }

    void OnMapEnd() override
    {
        // A key twice: the servers' reader keeps the first, most others the last.
        const uint32_t map = open_.back().node;
        open_.pop_back();
        std::set<std::string_view> keys;
        for (uint32_t key = nodes_[map].firstChild; key; key = nodes_[nodes_[key].nextSibling].nextSibling) {
            const YamlNode &node = nodes_[key];
            if (node.kind == YamlNode::Scalar && !keys.insert(node.text).second && !insideJobs(map))
                throw Stop{{node.line, node.column,
                            QStringLiteral("la clave «%1» está dos veces en el mismo mapa: el servidor toma la "
                                           "primera y otros lectores la última; deje una.")
                                .arg(QString::fromUtf8(node.text.data(), qsizetype(node.text.size()))),
                            false}};
        }
    }

private:
    struct Open
    {
        uint32_t node;
        uint32_t lastChild;
    };

    [[noreturn]] void stop(const YAML::Mark &mark, QString message)
    {
        throw Stop{{mark.line + 1, mark.column + 1, std::move(message), false}};
    }

    void refuseAnchor(const YAML::Mark &mark, YAML::anchor_t anchor)
    {
        if (anchor != YAML::NullAnchor)
            OnAnchor(mark, {});
    }

    // Whether `map` is the value of a key "Jobs": a job named twice there is
    // applied twice, which is no ambiguity.
    bool insideJobs(uint32_t map) const
    {
        if (open_.empty())
            return false;
        const Open &parent = open_.back();
        if (nodes_[parent.node].kind != YamlNode::Map)
            return false;
        // The map was the last child added to its parent; its key is the child before it.
        for (uint32_t key = nodes_[parent.node].firstChild; key; key = nodes_[nodes_[key].nextSibling].nextSibling)
            if (nodes_[key].nextSibling == map)
                return nodes_[key].kind == YamlNode::Scalar && nodes_[key].text == "Jobs";
        return false;
    }

    uint32_t add(YamlNode::Kind kind, const YAML::Mark &mark)
    {
        if (qint64(nodes_.size()) >= maxNodes_)
            throw Stop{{mark.line + 1, mark.column + 1,
                        QStringLiteral("tiene más de %1 elementos, muy por encima de cualquier base de datos de "
                                       "trabajos real; no se ha leído.")
                            .arg(maxNodes_),
                        true}};
        if (open_.empty() && nodes_.size() > 1)
            throw Stop{{mark.line + 1, mark.column + 1,
                        QStringLiteral("un segundo documento YAML: el servidor lee solo el primero; deje uno."),
                        false}};
        const uint32_t index = uint32_t(nodes_.size());
        YamlNode node;
        node.kind = kind;
        node.line = mark.line + 1;
        node.column = mark.column + 1;
        nodes_.push_back(std::move(node));
        if (!open_.empty()) {
            Open &parent = open_.back();
            if (parent.lastChild)
                nodes_[parent.lastChild].nextSibling = index;
            else
                nodes_[parent.node].firstChild = index;
            parent.lastChild = index;
        }
        return index;
    }

    std::deque<YamlNode> &nodes_;
    qint64 maxNodes_;
    std::vector<Open> open_;
};

std::optional<YamlFailure> YamlTree::parse(const std::string &text, qint64 maxNodes)
{
    std::istringstream stream(text);
    YamlTreeBuilder builder(nodes_, maxNodes);
    try {
        YAML::Parser parser(stream);
        if (!parser.HandleNextDocument(builder))
            return std::nullopt;            // nothing but comments
        parser.HandleNextDocument(builder); // a second document's first node stops it
    } catch (const Stop &stop) {
        nodes_.clear();
        return stop.failure;
    } catch (const YAML::Exception &failure) {
        nodes_.clear();
        if (failure.msg == YAML::ErrorMsg::UNKNOWN_ANCHOR) // an alias of no anchor: refused as any alias
            return YamlFailure{failure.mark.line + 1, failure.mark.column + 1,
                               QStringLiteral("un alias (*nombre): el servidor no los resuelve y lee otra cosa que lo "
                                              "que se ve; escriba el valor entero."),
                               false};
        return YamlFailure{failure.mark.line + 1, failure.mark.column + 1,
                           QStringLiteral("no es un documento YAML válido; el servidor no carga el archivo."), false};
    }
    return std::nullopt;
}

const YamlNode *YamlTree::key(const YamlNode &map, std::string_view name) const
{
    if (map.kind != YamlNode::Map)
        return nullptr;
    for (const YamlNode *key = firstChild(map); key; key = next(*next(*key)))
        if (key->kind == YamlNode::Scalar && key->text == name)
            return key;
    return nullptr;
}

const YamlNode *YamlTree::value(const YamlNode &map, std::string_view name) const
{
    const YamlNode *found = key(map, name);
    return found ? next(*found) : nullptr;
}
