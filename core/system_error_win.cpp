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
    case ERROR_INVALID_HANDLE:
        return "El descriptor de archivo no es válido.";
    case ERROR_FILE_READ_ONLY:
        return "El archivo es de solo lectura.";
    // What a network share gives.
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return "No se encuentra la ruta de red.";
    case ERROR_NETNAME_DELETED:
    case ERROR_DEV_NOT_EXIST:
        return "El recurso de red ya no está disponible.";
    case ERROR_UNEXP_NET_ERR:
        return "Error inesperado de la red.";
    case ERROR_NETWORK_UNREACHABLE:
    case ERROR_HOST_UNREACHABLE:
        return "No se puede llegar al servidor de archivos.";
    case ERROR_SEM_TIMEOUT:
        return "El servidor de archivos no responde a tiempo.";
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
