// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/commands.h"

#include "cli/console.h"
#include "cli/file_arguments.h"
#include "core/file_name.h"
#include "core/system_error.h"
#include "server/core/table_check.h"
#include "table/core/experience_table.h"
#include "table/core/table_file.h"

#include <algorithm>
#include <exception>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

int comparar(const ParsedArguments &parsed)
{
    const QStringList &args = parsed.operands;
    // The two files are read at once, B on a thread of its own: reading is
    // nearly all the work. Standard input is read by one reader only.
    ExperienceTable a, b;
    QString errorA, errorB;
    bool readB = false;
    std::exception_ptr failureB;
    const auto readSecond = [&] {
        try {
            readB = readTableArgument(args[1], b, &errorB);
        } catch (...) {
            failureB = std::current_exception(); // the command's own handler reports it
        }
    };
    std::thread second;
    if (args[0] != QStringLiteral("-") && args[1] != QStringLiteral("-")) {
        try {
            second = std::thread(readSecond);
        } catch (const std::system_error &) {
            // No thread to be had: one after the other.
        }
    }
    const bool readA = readTableArgument(args[0], a, &errorA);
    if (second.joinable())
        second.join();
    else if (readA)
        readSecond();
    if (failureB)
        std::rethrow_exception(failureB);
    if (!readA)
        return fail(fileFailure(args[0], errorA), 2);
    if (!readB)
        return fail(fileFailure(args[1], errorB), 2);
    const int32_t common = std::min(a.rowCount(), b.rowCount()) - 1;
    // The rows that differ first, then their lines in both files in one pass
    // each: a report names the row, its line in each file and its label in
    // the editor's grid, so that a text editor and the grid both find it.
    std::vector<int32_t> differing;
    for (int32_t r = 1; r <= common; ++r)
        if (a.packedRow(r) != b.packedRow(r)) // most rows of two versions of a table are alike
            differing.push_back(r);
    const std::vector<qint64> linesA = fileLinesOfRows(a, differing), linesB = fileLinesOfRows(b, differing);
    QString out;
    qint64 cells = 0, levels = 0;
    for (size_t d = 0; d < differing.size(); ++d) {
        const int32_t r = differing[d];
        bool differs = false;
        for (int c = kFirstValueColumn; c <= kLastValueColumn; ++c) {
            const std::string_view va = a.value(r, c), vb = b.value(r, c);
            if (va == vb)
                continue;
            differs = true;
            ++cells;
            out += QStringLiteral("%1:%2: %3 -> %4 (A: línea %5; B: línea %6; cuadrícula: %7)\n")
                       .arg(r)
                       .arg(columnName(c), shownValue(va), shownValue(vb))
                       .arg(linesA[d])
                       .arg(linesB[d])
                       .arg(a.label(r));
        }
        levels += differs;
    }
    // The rows only one table has, then the summary, last, counting them.
    const ExperienceTable &longer = a.rowCount() > b.rowCount() ? a : b;
    const QString only = shownName(a.rowCount() > b.rowCount() ? args[0] : args[1]);
    std::vector<int32_t> extra;
    for (int32_t r = common + 1; r < longer.rowCount(); ++r)
        extra.push_back(r);
    const std::vector<qint64> extraLines = fileLinesOfRows(longer, extra);
    for (size_t e = 0; e < extra.size(); ++e)
        out += QStringLiteral("%1: solo en %2 (línea %3; cuadrícula: %4)\n")
                   .arg(extra[e])
                   .arg(only)
                   .arg(extraLines[e])
                   .arg(longer.label(extra[e]));
    out +=
        QStringLiteral("%1 en %2%3\n")
            .arg(countOf(cells, "celda distinta", "celdas distintas"), countOf(levels, "nivel", "niveles"),
                 extra.empty()
                     ? QString()
                     : QStringLiteral("; %1 solo en %2").arg(countOf(qint64(extra.size()), "nivel", "niveles"), only));
    if (!printText(out))
        return fail(standardOutputFailure(), 2); // 1 would say "they differ"
    return cells == 0 && a.rowCount() == b.rowCount() ? 0 : 1;
}
