// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include <QtGlobal>

class QFileDevice;
class QString;

// Which file a name or an open file is, and its size and last changes, as
// the system reports them: enough to see that a file was replaced or
// rewritten since it was last looked at. One file per platform.
struct FileIdentity
{
    bool exists = false;
    quint64 device = 0; // the device and the inode; on Windows, the volume and the file index
    quint64 file = 0;
    qint64 size = 0;
    qint64 modified = 0; // in the system's finest unit
    qint64 changed = 0;  // the last change of content or metadata (ctime), which no program sets back

    bool isSameFile(const FileIdentity &other) const
    {
        return exists && other.exists && device == other.device && file == other.file;
    }

    bool operator==(const FileIdentity &) const = default;
};

// Of the file `path` names, links followed; exists is false where the
// system cannot tell (a missing file among others).
FileIdentity identityOf(const QString &path);

// Of an open file.
FileIdentity identityOf(const QFileDevice &file);
