// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/file_name.h"

#include "core/system_error.h"

#include <QFile>
#include <QFileInfo>

FileKind kindOf(const QString &name)
{
    const QFileInfo info(name);
    if (!info.exists())
        return FileKind::Unknown;
    return info.isDir() ? FileKind::Folder : info.isFile() ? FileKind::Regular : FileKind::Other;
}

bool openNamed(QFile &file, const QString &name, QIODevice::OpenMode mode, QString *reason)
{
    file.setFileName(name);
    if (file.open(mode | QIODevice::ExistingOnly))
        return true;
    *reason = systemFailure(name, file.errorString());
    return false;
}
