// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "server/core/config_tree.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace {

bool isWordByte(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '*'
           || c == '.' || c == '-' || c == '+';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A setting's name: [A-Za-z0-9*][-A-Za-z0-9_*.]*
bool isName(std::string_view word)
{
    if (word.empty())
        return false;
    const char first = word.front();
    if (!((first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z') || isDigit(first) || first == '*'))
        return false;
    return std::all_of(word.begin() + 1, word.end(), [](char c) { return isWordByte(c) && c != '+'; });
}

bool equalsWithoutCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return (x >= 'A' && x <= 'Z' ? char(x + 32) : x) == (y >= 'A' && y <= 'Z' ? char(y + 32) : y);
           });
}

// A float as the library's scanner takes one: digits with a point, an
// exponent, or both.
bool isFloat(std::string_view word)
{
    size_t i = 0;
    if (i < word.size() && (word[i] == '+' || word[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < word.size() && isDigit(word[i]))
        ++i, ++digits;
    bool point = false;
    if (i < word.size() && word[i] == '.') {
        point = true;
        ++i;
        while (i < word.size() && isDigit(word[i]))
            ++i, ++digits;
    }
    bool exponent = false;
    if (i < word.size() && (word[i] == 'e' || word[i] == 'E')) {
        ++i;
        if (i < word.size() && (word[i] == '+' || word[i] == '-'))
            ++i;
        size_t expDigits = 0;
        while (i < word.size() && isDigit(word[i]))
            ++i, ++expDigits;
        if (expDigits == 0)
            return false;
        exponent = true;
    }
    return i == word.size() && (point || (exponent && digits > 0));
}

struct IntegerLiteral
{
    uint64_t magnitude = 0;
    bool negative = false;
    bool wide = false; // L or LL
    bool tooLarge = false;
};

// An integer literal: [-+]?[0-9_]+, 0x…, 0b…, 0o…, each with L or LL.
std::optional<IntegerLiteral> integerLiteral(std::string_view word)
{
    IntegerLiteral literal;
    if (!word.empty() && (word.front() == '+' || word.front() == '-')) {
        literal.negative = word.front() == '-';
        word.remove_prefix(1);
    }
    if (word.size() >= 2 && word.substr(word.size() - 2) == "LL") {
        literal.wide = true;
        word.remove_suffix(2);
    } else if (!word.empty() && word.back() == 'L') {
        literal.wide = true;
        word.remove_suffix(1);
    }
    unsigned base = 10;
    if (word.size() > 2 && word[0] == '0') {
        const char prefix = word[1];
        base = prefix == 'x' || prefix == 'X'   ? 16
               : prefix == 'b' || prefix == 'B' ? 2
               : prefix == 'o' || prefix == 'O' ? 8
                                                : 10;
        if (base != 10)
            word.remove_prefix(2);
    }
    bool anyDigit = false;
    for (const char c : word) {
        if (c == '_')
            continue;
        unsigned digit;
        if (isDigit(c))
            digit = unsigned(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = unsigned(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = unsigned(c - 'A' + 10);
        else
            return std::nullopt;
        if (digit >= base)
            return std::nullopt;
        anyDigit = true;
        if (literal.magnitude > (std::numeric_limits<uint64_t>::max() - digit) / base)
            literal.tooLarge = true;
        literal.magnitude = literal.magnitude * base + digit;
    }
    if (!anyDigit && base == 10)
        return std::nullopt;
    // Past 2^63 - 1 (2^63 with a minus) the servers' reader and others part ways.
    const uint64_t limit = uint64_t(std::numeric_limits<int64_t>::max()) + (literal.negative ? 1 : 0);
    if (literal.magnitude > limit)
        literal.tooLarge = true;
    return literal;
}

} // namespace

class ConfigParser
{
public:
    ConfigParser(ConfigTree &tree, std::string_view text, size_t maxNodes)
        : tree_(tree), text_(text), maxNodes_(maxNodes)
    {
    }

    std::optional<ConfigFailure> run()
    {
        tree_.nodes_.clear();
        tree_.nodes_.emplace_back();
        tree_.nodes_.front().end = text_.size();
        if (!settings(0, '\0'))
            return failure_;
        return std::nullopt;
    }

private:
    enum class Token { End, Punct, String, Word };

    bool fail(size_t at, QString message, bool bound = false, bool mixed = false)
    {
        failure_ = ConfigFailure{at, std::move(message), mixed, bound};
        return false;
    }

    // Skips blanks and comments; false on a comment left open.
    bool skip()
    {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
                ++pos_;
            } else if (c == '#' || (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/')) {
                const size_t newline = text_.find('\n', pos_);
                pos_ = newline == std::string_view::npos ? text_.size() : newline;
            } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '*') {
                const size_t close = text_.find("*/", pos_ + 2);
                if (close == std::string_view::npos)
                    return fail(pos_, QStringLiteral("un comentario /* que no se cierra."));
                pos_ = close + 2;
            } else {
                break;
            }
        }
        return true;
    }

    char peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }

    std::string_view word()
    {
        const size_t start = pos_;
        while (pos_ < text_.size() && isWordByte(text_[pos_]))
            ++pos_;
        return text_.substr(start, pos_ - start);
    }

    QString shown(size_t at) const
    {
        if (at >= text_.size())
            return QStringLiteral("el final del archivo");
        size_t end = at;
        while (end < text_.size() && end - at < 20 && text_[end] != '\n' && text_[end] != '\r')
            ++end;
        return QStringLiteral("«%1»").arg(QString::fromUtf8(text_.data() + at, qsizetype(std::max(end, at + 1) - at)));
    }

    uint32_t newNode(ConfigNode::Kind kind)
    {
        tree_.nodes_.emplace_back();
        tree_.nodes_.back().kind = kind;
        return uint32_t(tree_.nodes_.size() - 1);
    }

    // The settings of a group (or the file), up to `close` ('\0': the end).
    bool settings(uint32_t group, char close)
    {
        for (;;) {
            if (!skip())
                return false;
            const char c = peek();
            if (close == '\0' ? pos_ >= text_.size() : c == close) {
                if (close != '\0')
                    ++pos_;
                return true;
            }
            if (pos_ >= text_.size())
                return fail(pos_, QStringLiteral("falta «}» para cerrar el grupo."));
            if (c == '@') {
                const size_t at = pos_;
                ++pos_;
                if (word() == "include")
                    return fail(at, QStringLiteral("@include: vandrel-exp no sigue archivos incluidos; los del "
                                                   "servidor no los usan."));
                return fail(at, QStringLiteral("no se entiende %1.").arg(shown(at)));
            }
            const size_t nameAt = pos_;
            const std::string_view name = word();
            if (!isName(name)) {
                pos_ = nameAt;
                return fail(nameAt, QStringLiteral("se esperaba el nombre de un ajuste y hay %1.").arg(shown(nameAt)));
            }
            if (!skip())
                return false;
            if (peek() != ':' && peek() != '=')
                return fail(pos_, QStringLiteral("tras «%1» se esperaba «:» o «=» y hay %2.")
                                      .arg(QString::fromUtf8(name.data(), qsizetype(name.size())), shown(pos_)));
            ++pos_;
            uint32_t index = 0;
            if (!value(&index, false))
                return false;
            ConfigNode &node = tree_.nodes_[index];
            node.name = std::string(name);
            node.nameAt = nameAt;
            tree_.nodes_[group].children.push_back(index);
            if (!skip())
                return false;
            if (peek() == ';' || peek() == ',')
                ++pos_;
        }
    }

    // One value; `scalarOnly` inside an array.
    bool value(uint32_t *index, bool scalarOnly)
    {
        if (!skip())
            return false;
        if (tree_.nodes_.size() >= maxNodes_)
            return fail(pos_,
                        QStringLiteral("el archivo pasa de %1 valores, muy por encima de cualquier archivo real; "
                                       "no se ha leído.")
                            .arg(maxNodes_),
                        true);
        const size_t start = pos_;
        const char c = peek();
        if (c == '{' || c == '[' || c == '(') {
            if (scalarOnly)
                return fail(start, QStringLiteral("un array solo lleva valores sueltos, no grupos, arrays ni listas."));
            if (depth_ >= kMaxConfigDepth)
                return fail(start, QStringLiteral("más de %1 niveles anidados; no se ha leído.").arg(kMaxConfigDepth),
                            true);
            ++depth_;
            ++pos_;
            const uint32_t node = newNode(c == '{'   ? ConfigNode::Group
                                          : c == '[' ? ConfigNode::Array
                                                     : ConfigNode::List);
            tree_.nodes_[node].begin = start;
            const bool ok = c == '{' ? settings(node, '}') : elements(node, c == '[' ? ']' : ')');
            --depth_;
            if (!ok)
                return false;
            tree_.nodes_[node].end = pos_;
            *index = node;
            return true;
        }
        if (c == '"')
            return string(index);
        const std::string_view w = word();
        if (w.empty())
            return fail(start, QStringLiteral("se esperaba un valor y hay %1.").arg(shown(start)));
        const uint32_t node = newNode(ConfigNode::Integer);
        ConfigNode &n = tree_.nodes_[node];
        n.begin = start;
        n.end = pos_;
        *index = node;
        if (equalsWithoutCase(w, "true") || equalsWithoutCase(w, "false")) {
            n.kind = ConfigNode::Boolean;
            n.integer = equalsWithoutCase(w, "true") ? 1 : 0;
            return true;
        }
        if (const std::optional<IntegerLiteral> literal = integerLiteral(w)) {
            if (literal->tooLarge)
                return fail(start, QStringLiteral("el número %1 no cabe en 64 bits con signo: ningún servidor lo lee "
                                                  "como está escrito.")
                                       .arg(QString::fromUtf8(w.data(), qsizetype(w.size()))));
            n.written = literal->magnitude;
            n.negative = literal->negative;
            const int64_t signedValue =
                literal->negative ? int64_t(0 - literal->magnitude) : int64_t(literal->magnitude);
            if (literal->wide) {
                n.kind = ConfigNode::Integer64;
                n.integer = signedValue;
            } else {
                n.integer = int64_t(int32_t(uint32_t(uint64_t(signedValue))));
                n.wrapped = n.integer != signedValue;
            }
            return true;
        }
        if (isFloat(w)) {
            n.kind = ConfigNode::Float;
            return true;
        }
        pos_ = start;
        return fail(start, QStringLiteral("se esperaba un valor y hay %1.").arg(shown(start)));
    }

    bool string(uint32_t *index)
    {
        const uint32_t node = newNode(ConfigNode::String);
        tree_.nodes_[node].begin = pos_;
        std::string value;
        // Adjacent strings are one.
        do {
            const size_t open = pos_;
            ++pos_;
            for (;;) {
                if (pos_ >= text_.size())
                    return fail(open, QStringLiteral("una cadena que no se cierra."));
                const char c = text_[pos_++];
                if (c == '"')
                    break;
                if (c != '\\') {
                    value += c;
                    continue;
                }
                const char e = pos_ < text_.size() ? text_[pos_++] : '\0';
                switch (e) {
                case 'n':
                    value += '\n';
                    break;
                case 't':
                    value += '\t';
                    break;
                case 'r':
                    value += '\r';
                    break;
                case 'f':
                    value += '\f';
                    break;
                case '\\':
                    value += '\\';
                    break;
                case '"':
                    value += '"';
                    break;
                case 'x': {
                    int digits = 0, code = 0;
                    while (digits < 2 && pos_ < text_.size()
                           && std::isxdigit(static_cast<unsigned char>(text_[pos_]))) {
                        const char h = text_[pos_++];
                        code = code * 16 + (isDigit(h) ? h - '0' : (h | 0x20) - 'a' + 10);
                        ++digits;
                    }
                    if (digits != 2)
                        return fail(pos_, QStringLiteral("\\x necesita dos cifras hexadecimales."));
                    value += char(code);
                    break;
                }
                default:
                    value += '\\';
                    if (e)
                        value += e;
                }
            }
            tree_.nodes_[node].end = pos_;
            if (!skip())
                return false;
        } while (peek() == '"');
        tree_.nodes_[node].text = std::move(value);
        *index = node;
        return true;
    }

    bool elements(uint32_t container, char close)
    {
        const bool array = close == ']';
        for (;;) {
            if (!skip())
                return false;
            if (peek() == close) {
                ++pos_;
                return true;
            }
            if (pos_ >= text_.size())
                return fail(pos_, QStringLiteral("falta «%1» para cerrar %2.")
                                      .arg(QChar::fromLatin1(close),
                                           array ? QStringLiteral("el array") : QStringLiteral("la lista")));
            uint32_t element = 0;
            if (!value(&element, array))
                return false;
            ConfigNode &list = tree_.nodes_[container];
            if (array && !list.children.empty()) {
                const ConfigNode &first = tree_.nodes_[list.children.front()];
                const ConfigNode &added = tree_.nodes_[element];
                if (first.kind != added.kind) {
                    const bool mixed = (first.kind == ConfigNode::Integer && added.kind == ConfigNode::Integer64)
                                       || (first.kind == ConfigNode::Integer64 && added.kind == ConfigNode::Integer);
                    return fail(added.begin,
                                mixed ? QStringLiteral("el array mezcla valores con L y sin L: el servidor no carga "
                                                       "el archivo entero (lleve L en todos o en ninguno).")
                                      : QStringLiteral("el array mezcla valores de tipos distintos: el servidor no "
                                                       "carga el archivo."),
                                false, mixed);
                }
            }
            list.children.push_back(element);
            if (!skip())
                return false;
            if (peek() == ',') {
                ++pos_;
            } else if (peek() != close) {
                return fail(
                    pos_,
                    QStringLiteral("se esperaba «,» o «%1» y hay %2.").arg(QChar::fromLatin1(close), shown(pos_)));
            }
        }
    }

    ConfigTree &tree_;
    std::string_view text_;
    size_t maxNodes_;
    size_t pos_ = 0;
    int depth_ = 0;
    ConfigFailure failure_;
};

std::optional<ConfigFailure> ConfigTree::parse(std::string_view text, size_t maxNodes)
{
    lineStarts_.assign(1, 0);
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n')
            lineStarts_.push_back(i + 1);
    return ConfigParser(*this, text, std::max<size_t>(maxNodes, 1)).run();
}

const ConfigNode *ConfigTree::member(const ConfigNode &group, std::string_view name) const
{
    if (group.kind != ConfigNode::Group)
        return nullptr;
    for (const uint32_t child : group.children)
        if (nodes_[child].name == name)
            return &nodes_[child];
    return nullptr;
}

std::pair<int, int> ConfigTree::placeOf(size_t at) const
{
    const auto line = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), at);
    const size_t index = size_t(line - lineStarts_.begin()) - 1;
    return {int(index + 1), int(at - lineStarts_[index] + 1)};
}
