// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/system_error.h"

#include <QDir>

#include <windows.h>

namespace {

// The common failures in the program's Spanish, whatever Windows' own
// language; null for the rest.
const char *spanishFor(DWORD code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
        return "No existe el archivo.";
    case ERROR_PATH_NOT_FOUND:
        return "No existe la carpeta.";
    case ERROR_ACCESS_DENIED:
        return "Permiso denegado.";
    case ERROR_INVALID_NAME:
        return "El nombre del archivo no es válido.";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "No queda espacio en el disco.";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "Otro programa tiene el archivo abierto.";
    case ERROR_CANT_RESOLVE_FILENAME:
        return "Demasiados niveles de enlaces simbólicos.";
    case ERROR_WRITE_PROTECT:
        return "El disco está protegido contra escritura.";
    case ERROR_FILENAME_EXCED_RANGE:
        return "El nombre del archivo es demasiado largo.";
    case ERROR_IO_DEVICE:
    case ERROR_CRC:
        return "Error de entrada/salida.";
    case ERROR_NO_DATA:
    case ERROR_BROKEN_PIPE:
        return "Nadie lee ya del otro extremo de la tubería.";
    default:
        return nullptr;
    }
}

} // namespace

QString systemReason(int code)
{
    if (const char *spanish = spanishFor(DWORD(code)))
        return QString::fromUtf8(spanish);
    return qt_error_string(code);
}

QString systemFailure(const QString &path, const QString &qtText)
{
    const DWORD code = GetLastError(); // first: nothing below may change it
    if (const char *spanish = spanishFor(code))
        return QString::fromUtf8(spanish);
    QString text = qtText;
    if (!path.isEmpty())
        text.replace(QDir::fromNativeSeparators(path), QDir::toNativeSeparators(path));
    return text;
}
