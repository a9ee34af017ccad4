// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/file_identity.h"

#include "core/file_name.h"

#include <QFile>

#include <sys/stat.h>

namespace {

FileIdentity fromStat(const struct stat &st)
{
    return {true,
            quint64(st.st_dev),
            quint64(st.st_ino),
            qint64(st.st_size),
            qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec,
            qint64(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec};
}

} // namespace

FileIdentity identityOf(const QString &path)
{
    struct stat st = {};
    return ::stat(systemName(path).constData(), &st) == 0 ? fromStat(st) : FileIdentity{};
}

FileIdentity identityOf(const QFileDevice &file)
{
    struct stat st = {};
    return ::fstat(file.handle(), &st) == 0 ? fromStat(st) : FileIdentity{};
}
