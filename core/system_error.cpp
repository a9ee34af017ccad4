// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/system_error.h"

#include "core/file_name.h"

#include <QCoreApplication>

QString fileFailure(const QString &path, const QString &reason)
{
    QString text = reason.trimmed();
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    if (!text.endsWith(u'.'))
        text += u'.';
    return QStringLiteral("%1: %2").arg(shownName(path), text);
}

QString folderGivenMessage()
{
    // Qt's own words where it finds the folder itself (Unix), so that both
    // platforms say the same; Windows would only say "access denied".
    return QCoreApplication::translate("QIODevice", "file to open is a directory");
}
