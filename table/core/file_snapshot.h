// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include "core/file_identity.h"

#include <QString>

#include <cstdint>
#include <string_view>

// What a table file was when it was read, kept in memory only: its name,
// identity, size, last change and a hash of its bytes. When the same file
// is saved over later, it tells whether another program has changed the
// file since.
class FileSnapshot
{
public:
    FileSnapshot() = default; // none taken

    // Of the file at `path`, whose identity when read was `identity` and
    // whose bytes read were `bytes`.
    static FileSnapshot of(const QString &path, const FileIdentity &identity, std::string_view bytes);
    // Of the file at `path` as it is on disk now; none when it cannot be read.
    static FileSnapshot ofFileNow(const QString &path);

    bool isTaken() const { return !path_.isEmpty(); }

    // Whether `path` names the file this was taken of: the same path (links
    // followed), or the same file by identity (another hard link, another
    // case or drive letter on Windows).
    bool isOf(const QString &path) const;

    // Whether the file's bytes differ now from those read. Its identity,
    // size and both times are looked at first; where any moved (even only
    // the change time: cp -p, rsync -t), the bytes are compared. A file that
    // was only touched, or rewritten with the same bytes, has not changed;
    // one that is gone has nothing to lose; one that cannot be read is taken
    // as changed.
    bool changedOnDisk() const;

private:
    QString path_; // canonical
    FileIdentity identity_;
    uint64_t hash_ = 0;
};
