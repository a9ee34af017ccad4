// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/file_name.h"

#include "core/system_error.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileKind kindOf(const QString &name)
{
    struct stat st = {};
    if (::stat(systemName(name).constData(), &st) != 0)
        return FileKind::Unknown;
    return S_ISREG(st.st_mode) ? FileKind::Regular : S_ISDIR(st.st_mode) ? FileKind::Folder : FileKind::Other;
}

bool openNamed(QFile &file, const QString &name, QIODevice::OpenMode mode, QString *reason)
{
    const int access = mode.testFlag(QIODevice::WriteOnly) ? O_RDWR : O_RDONLY;
    int fd = -1;
    do
        fd = ::open(systemName(name).constData(), access | O_CLOEXEC | O_NOCTTY);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        *reason = systemReason(errno);
        return false;
    }
    // A QFile over the descriptor: it closes it, and reads, writes, resizes
    // and reports errors as a named one does.
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        *reason = file.errorString();
        ::close(fd);
        return false;
    }
    return true;
}
