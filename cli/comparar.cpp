// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/commands.h"

#include "cli/console.h"
#include "table/core/experience_table.h"

#include <algorithm>
#include <exception>
#include <string_view>
#include <system_error>
#include <thread>

namespace {

QString columnName(int column)
{
    return headerTexts()[size_t(column)].trimmed();
}

} // namespace

int comparar(const QStringList &args)
{
    if (args.size() > 2)
        return refuseArgument(args[2], 2);
    if (args.size() != 2)
        return fail(QStringLiteral("comparar necesita dos archivos."), 2);
    if (args[0] == QStringLiteral("-") && args[1] == QStringLiteral("-"))
        return fail(QStringLiteral("solo uno de los dos archivos puede ser la entrada estándar (-)."), 2);
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
        return fail(QStringLiteral("%1: %2").arg(args[0], errorA), 2);
    if (!readB)
        return fail(QStringLiteral("%1: %2").arg(args[1], errorB), 2);
    const int32_t common = std::min(a.rowCount(), b.rowCount()) - 1;
    QString out;
    qint64 cells = 0, levels = 0;
    for (int32_t r = 1; r <= common; ++r) {
        if (a.packedRow(r) == b.packedRow(r))
            continue; // most rows of two versions of a table are alike
        bool differs = false;
        for (int c = kFirstValueColumn; c <= kLastValueColumn; ++c) {
            const std::string_view va = a.value(r, c), vb = b.value(r, c);
            if (va == vb)
                continue;
            differs = true;
            ++cells;
            out += QStringLiteral("%1:%2: %3 -> %4\n")
                       .arg(r)
                       .arg(columnName(c), QString::fromLatin1(va.data(), qsizetype(va.size())),
                            QString::fromLatin1(vb.data(), qsizetype(vb.size())));
        }
        levels += differs;
    }
    out += QStringLiteral("%1 en %2\n")
               .arg(countOf(cells, "celda distinta", "celdas distintas"), countOf(levels, "nivel", "niveles"));
    const ExperienceTable &longer = a.rowCount() > b.rowCount() ? a : b;
    const QString &only = a.rowCount() > b.rowCount() ? args[0] : args[1];
    for (int32_t r = common + 1; r < longer.rowCount(); ++r)
        out += QStringLiteral("%1: solo en %2\n").arg(r).arg(only);
    printText(out);
    return cells == 0 && a.rowCount() == b.rowCount() ? 0 : 1;
}
