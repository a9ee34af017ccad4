// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/commands.h"

#include "cli/console.h"
#include "table/core/experience_table.h"

#include <algorithm>
#include <string_view>

namespace {

QString columnName(int column)
{
    return headerTexts()[size_t(column)].trimmed();
}

} // namespace

int comparar(const QStringList &args)
{
    if (args.size() != 2)
        return fail(QStringLiteral("comparar necesita dos archivos."), 2);
    ExperienceTable a, b;
    QString error;
    if (!readTableArgument(args[0], a, &error))
        return fail(QStringLiteral("%1: %2").arg(args[0], error), 2);
    if (!readTableArgument(args[1], b, &error))
        return fail(QStringLiteral("%1: %2").arg(args[1], error), 2);
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
    out += QStringLiteral("%1 celdas distintas en %2 niveles\n").arg(cells).arg(levels);
    const ExperienceTable &longer = a.rowCount() > b.rowCount() ? a : b;
    const QString &only = a.rowCount() > b.rowCount() ? args[0] : args[1];
    for (int32_t r = common + 1; r < longer.rowCount(); ++r)
        out += QStringLiteral("%1: solo en %2\n").arg(r).arg(only);
    printText(out);
    return cells == 0 && a.rowCount() == b.rowCount() ? 0 : 1;
}
