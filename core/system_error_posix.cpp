// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/system_error.h"

#include <cerrno>

namespace {

struct Reason
{
    int code;
    const char *spanish;
};

// The failures a save or a read meets beyond those Qt itself words (no such
// file, permission denied, no space, too many open files), which the
// system's C library would give in English under LANG=C.
constexpr Reason kReasons[] = {
    {ELOOP, "Demasiados niveles de enlaces simbólicos"},
    {ENXIO, "No existe el dispositivo o la dirección"},
    {EROFS, "El sistema de archivos es de solo lectura"},
    {EPERM, "Operación no permitida"},
    {ENAMETOOLONG, "El nombre del archivo es demasiado largo"},
    {ENOTDIR, "Una parte de la ruta no es una carpeta"},
    {EISDIR, "Es una carpeta"},
    {EFBIG, "El archivo es demasiado grande"},
    {EIO, "Error de entrada/salida"},
    {EDQUOT, "Se ha superado la cuota de disco"},
    {EBUSY, "El dispositivo o el recurso está ocupado"},
    {ETXTBSY, "El archivo está en uso"},
    {EPIPE, "Nadie lee ya del otro extremo de la tubería"},
    {EEXIST, "El archivo ya existe"},
};

} // namespace

QString systemReason(int code)
{
    for (const Reason &reason : kReasons)
        if (reason.code == code)
            return QString::fromUtf8(reason.spanish);
    return qt_error_string(code);
}

QString systemFailure(const QString &, const QString &qtText)
{
    // Qt's words here come from errno: those of the table above in the
    // program's Spanish, the rest as Qt gives them (core/spanish.cpp has
    // Spanish for its own). Paths already use the platform's separators.
    for (const Reason &reason : kReasons)
        if (qt_error_string(reason.code) == qtText)
            return QString::fromUtf8(reason.spanish);
    return qtText;
}
