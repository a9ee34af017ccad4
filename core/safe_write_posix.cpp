// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/safe_write.h"

#include <QFile>
#include <QFileDevice>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace file_system {

void keepOwner(const QString &existingPath, QFileDevice &replacement)
{
    struct stat existing = {};
    if (::stat(QFile::encodeName(existingPath).constData(), &existing) != 0)
        return; // a new file: the process's own owner and group are right
    struct stat written = {};
    if (::fstat(replacement.handle(), &written) != 0)
        return;
    if (written.st_uid == existing.st_uid && written.st_gid == existing.st_gid)
        return;
    // Root may give the file back to the account that owned it; another user
    // may at least keep a group of its own. Changing the owner clears the
    // set-id bits, so the mode is set again afterwards.
    if (::fchown(replacement.handle(), existing.st_uid, existing.st_gid) != 0
        && ::fchown(replacement.handle(), uid_t(-1), existing.st_gid) != 0)
        return; // neither: the file keeps the process's owner and group, and its mode
    if (::fchmod(replacement.handle(), existing.st_mode & 07777) != 0)
        return; // the mode QSaveFile copied stays
}

bool reserveSpace(QFileDevice &file, qint64 size, QString *error)
{
    if (size <= 0)
        return true;
    const int result = ::posix_fallocate(file.handle(), 0, off_t(size));
    // A file system that cannot reserve at all (EOPNOTSUPP, EINVAL) leaves
    // the write itself to find a full disk, as any editor would.
    if (result == 0 || result == EOPNOTSUPP || result == EINVAL)
        return true;
    *error = qt_error_string(result); // Qt's words, which the program has in Spanish
    return false;
}

} // namespace file_system
