// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// libFuzzer target: the table reader must survive any bytes, and any table it
// reads that a file can hold must come back unchanged through the writer.
// The check must survive the same bytes and count the levels the reader
// makes of them; the curves must be drawable from whatever was read.
#include "chart/core/curves.h"
#include "server/core/table_check.h"
#include "table/core/experience_table.h"
#include "table/core/table_file.h"

#include <QBuffer>
#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer inBuffer(&input);
    inBuffer.open(QIODevice::ReadOnly);
    ExperienceTable first;
    QString error;
    if (!LeerTabla(inBuffer, first, &error))
        return 0;
    const TableCheck check =
        checkTableBytes(std::string_view(input.constData(), size_t(input.size())), ServerInteger::Int32);
    if (check.levels != first.rowCount() - 1)
        std::abort();
    const Curves curves = curvesOf(first, true, 8);
    for (int c = kFirstValueColumn; c <= kLastValueColumn; ++c)
        if (curves.points[size_t(c)].size() > 16)
            std::abort();
    if (first.rowCount() - 1 > kMaxSavedRows)
        return 0;

    QByteArray saved;
    QBuffer outBuffer(&saved);
    outBuffer.open(QIODevice::WriteOnly);
    if (!GuardarTabla(outBuffer, first, &error))
        std::abort();
    outBuffer.close();

    QBuffer againBuffer(&saved);
    againBuffer.open(QIODevice::ReadOnly);
    ExperienceTable second;
    if (!LeerTabla(againBuffer, second, &error) || second.rowCount() != first.rowCount())
        std::abort();
    for (int32_t r = 1; r < first.rowCount(); ++r) {
        if (first.label(r) != second.label(r))
            std::abort();
        for (int c = kFirstValueColumn; c <= kLastValueColumn; ++c)
            if (first.value(r, c) != second.value(r, c))
                std::abort();
    }
    return 0;
}
