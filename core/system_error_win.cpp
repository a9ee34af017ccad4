// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/system_error.h"

#include <QDir>

#include <windows.h>

QString systemFailure(const QString &path, const QString &qtText)
{
    const DWORD code = GetLastError(); // first: nothing below may change it
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
        return QStringLiteral("No existe el archivo.");
    case ERROR_PATH_NOT_FOUND:
        return QStringLiteral("No existe la carpeta.");
    case ERROR_ACCESS_DENIED:
        return QStringLiteral("Permiso denegado.");
    case ERROR_INVALID_NAME:
        return QStringLiteral("El nombre del archivo no es válido.");
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return QStringLiteral("No queda espacio en el disco.");
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return QStringLiteral("Otro programa tiene el archivo abierto.");
    default:
        break;
    }
    QString text = qtText;
    if (!path.isEmpty())
        text.replace(QDir::fromNativeSeparators(path), QDir::toNativeSeparators(path));
    return text;
}
