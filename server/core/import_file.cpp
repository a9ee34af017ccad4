// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "server/core/import_file.h"

#include "server/core/yaml_tree.h"

#include <algorithm>
#include <vector>

namespace {

struct Line
{
    size_t start; // of its text
    size_t end;   // of its text, before the line end
    size_t next;  // after its line end
    std::string_view text;
};

std::vector<Line> linesOf(std::string_view bytes)
{
    std::vector<Line> lines;
    size_t at = 0;
    while (at < bytes.size()) {
        const size_t newline = bytes.find('\n', at);
        const size_t next = newline == std::string_view::npos ? bytes.size() : newline + 1;
        size_t end = newline == std::string_view::npos ? bytes.size() : newline;
        if (end > at && bytes[end - 1] == '\r')
            --end;
        lines.push_back({at, end, next, bytes.substr(at, end - at)});
        at = next;
    }
    return lines;
}

bool isBlankOrComment(std::string_view line)
{
    const size_t first = line.find_first_not_of(" \t");
    return first == std::string_view::npos || line[first] == '#';
}

std::string_view indentOf(std::string_view line)
{
    return line.substr(0, std::min(line.find_first_not_of(' '), line.size()));
}

// The entries of Body, or -1 where the text does not load as a job database.
qint64 bodyEntries(const std::string &text)
{
    YamlTree tree;
    if (tree.parse(text, kMaxJobFileNodes) || !tree.root())
        return -1;
    const YamlNode *body = tree.value(*tree.root(), "Body");
    qint64 count = 0;
    if (body && body->kind == YamlNode::Sequence)
        for (const YamlNode *entry = tree.firstChild(*body); entry; entry = tree.next(*entry))
            ++count;
    return count;
}

} // namespace

bool mergeIntoImportFile(std::string_view existing, const QString &fileName, const ExportedBlock &block,
                         std::string *merged, QString *error)
{
    // The server must load the file as it is: what it refuses, we do not build on.
    JobChain check;
    if (std::optional<ChainRefusal> refusal = check.load({fileName, std::string(existing)})) {
        *error = QStringLiteral("%1: %2 No se ha escrito nada.").arg(check.placeText(refusal->place), refusal->message);
        return false;
    }
    const std::vector<Line> lines = linesOf(existing);
    const std::string lineEnd = !lines.empty() && lines.front().next > lines.front().end + 1 ? "\r\n" : "\n";
    std::vector<size_t> begins, ends;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (isBlockBegin(lines[i].text))
            begins.push_back(i);
        else if (isBlockEnd(lines[i].text))
            ends.push_back(i);
    }
    const qint64 before = bodyEntries(std::string(existing));
    qint64 oldBlockEntries = 0;
    std::string out;
    if (!begins.empty() || !ends.empty()) {
        if (begins.size() != 1 || ends.size() != 1 || ends[0] < begins[0]) {
            const size_t at = begins.empty() ? ends[0] : ends.empty() ? begins[0] : std::min(begins[0], ends[0]);
            *error = QStringLiteral("%1:%2: las líneas que marcan el bloque de vandrel-exp (>>> y <<<) están a medias, "
                                    "repetidas o en otro orden; déjelas en un par, o quite las dos, y vuelva a "
                                    "exportar. No se ha escrito nada.")
                         .arg(fileName)
                         .arg(at + 1);
            return false;
        }
        const Line &first = lines[begins[0]], &last = lines[ends[0]];
        const std::string inside(existing.substr(first.next, last.start - first.next));
        oldBlockEntries = std::max<qint64>(0, bodyEntries("Body:\n" + inside));
        std::string replacement = blockText(block, indentOf(first.text), lineEnd);
        if (last.next == last.end) // the end marker was the file's last line, without a line end
            replacement.resize(replacement.size() - lineEnd.size());
        out = std::string(existing.substr(0, first.start)) + replacement + std::string(existing.substr(last.next));
    } else {
        YamlTree tree;
        tree.parse(std::string(existing), kMaxJobFileNodes); // loaded above: it parses
        const YamlNode &root = *tree.root();
        if (root.flow) {
            *error = QStringLiteral("%1: el archivo está escrito como un mapa { … } en una línea; no se puede "
                                    "añadir el bloque sin reescribirlo. No se ha escrito nada.")
                         .arg(fileName);
            return false;
        }
        const YamlNode *bodyKey = tree.key(root, "Body");
        std::string head(existing);
        if (!bodyKey) {
            if (!head.empty() && head.back() != '\n')
                head += lineEnd;
            out = head + "Body:" + lineEnd + blockText(block, "  ", lineEnd);
        } else {
            const YamlNode &body = *tree.next(*bodyKey);
            const Line &keyLine = lines[size_t(bodyKey->line - 1)];
            if (bodyKey->column != 1) {
                *error = QStringLiteral("%1:%2:%3: Body no empieza la línea; no se puede añadir el bloque sin "
                                        "reescribir el archivo. No se ha escrito nada.")
                             .arg(fileName)
                             .arg(bodyKey->line)
                             .arg(bodyKey->column);
                return false;
            }
            if (body.kind == YamlNode::Null) {
                // "Body:" alone on its line (a comment may follow): the block goes right under it.
                std::string_view rest = keyLine.text.substr(5);
                const size_t first = rest.find_first_not_of(" \t");
                if (first != std::string_view::npos && rest[first] != '#') {
                    *error = QStringLiteral("%1:%2: Body dice «%3»; no se puede añadir el bloque sin cambiar esa "
                                            "línea. Déjela en «Body:». No se ha escrito nada.")
                                 .arg(fileName)
                                 .arg(bodyKey->line)
                                 .arg(QString::fromUtf8(keyLine.text.data(), qsizetype(keyLine.text.size())));
                    return false;
                }
                std::string prefix(existing.substr(0, keyLine.next));
                if (keyLine.next == keyLine.end)
                    prefix += lineEnd;
                out = prefix + blockText(block, "  ", lineEnd) + std::string(existing.substr(keyLine.next));
            } else if (body.kind != YamlNode::Sequence || body.flow) {
                *error = QStringLiteral("%1:%2:%3: Body está escrito como una lista [ … ] en línea; no se puede añadir "
                                        "el bloque sin reescribirla. Escríbala con un guion por entrada. No se ha "
                                        "escrito nada.")
                             .arg(fileName)
                             .arg(body.line)
                             .arg(body.column);
                return false;
            } else {
                // After the last line of Body that holds something: before the
                // next key of the file, and before the comments above it.
                size_t stop = lines.size();
                if (const YamlNode *following = tree.next(body))
                    stop = size_t(following->line - 1);
                size_t last = size_t(bodyKey->line - 1);
                for (size_t i = last + 1; i < stop; ++i)
                    if (!isBlankOrComment(lines[i].text))
                        last = i;
                std::string_view indent = "  ";
                for (size_t i = size_t(bodyKey->line); i < stop; ++i)
                    if (!isBlankOrComment(lines[i].text)) {
                        indent = indentOf(lines[i].text);
                        break;
                    }
                std::string prefix(existing.substr(0, lines[last].next));
                if (lines[last].next == lines[last].end)
                    prefix += lineEnd;
                out = prefix + blockText(block, indent, lineEnd) + std::string(existing.substr(lines[last].next));
            }
        }
    }
    // What was written must read back with every entry in place.
    const qint64 after = bodyEntries(out);
    if (before < 0 || after != before - oldBlockEntries + qint64(block.entries.size())) {
        *error = QStringLiteral("%1: no se puede poner el bloque en Body sin tocar el resto del archivo (su forma no "
                                "es la habitual); añádalo a mano desde la salida de exportar sin -o. No se ha escrito "
                                "nada.")
                     .arg(fileName);
        return false;
    }
    *merged = std::move(out);
    return true;
}
