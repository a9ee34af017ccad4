// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/safe_write.h"

#include <QFileDevice>

namespace file_system {

void keepOwner(const QString &, QFileDevice &)
{
    // A replaced file takes the folder's inherited permissions on Windows,
    // as every editor's save does there.
}

bool reserveSpace(QFileDevice &file, qint64 size, QString *error)
{
    // Setting the end of the file allocates its clusters on Windows: a full
    // disk refuses here, before a byte of the former content is overwritten.
    if (size <= file.size())
        return true;
    if (!file.resize(size)) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace file_system
