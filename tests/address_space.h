// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// The address space this process maps now, in bytes (0 where the system
// does not tell): tests of allocation failure set a limit a little above it.

#include <QByteArray>
#include <QFile>

inline quint64 addressSpaceInUse()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmSize:"))
            return line.mid(7).trimmed().split(' ').first().toULongLong() * 1024;
    return 0;
}
