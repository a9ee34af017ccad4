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

// The failures a save or a read meets, in the program's own Spanish: the
// system's C library gives them in the locale's language, English under
// LANG=C and C.UTF-8.
constexpr Reason kReasons[] = {
    {EACCES, "Permiso denegado"},
    {ENOENT, "No existe el archivo o la carpeta"},
    {ENOSPC, "No queda espacio en el dispositivo"},
    {EMFILE, "Demasiados archivos abiertos"},
    {ENFILE, "Demasiados archivos abiertos en el sistema"},
    {EXDEV, "El enlace cruza de un sistema de archivos a otro"},
    {ENOMEM, "No hay memoria suficiente"},
    {EINVAL, "Argumento no válido"},
    {EAGAIN, "El recurso no está disponible por ahora"},
    {EBADF, "El descriptor de archivo no es válido"},
    {ENODEV, "No existe el dispositivo"},
    {EOPNOTSUPP, "Operación no admitida"},
    {EINTR, "Llamada interrumpida"},
    {ESPIPE, "No se puede buscar en una tubería"},
    {ELOOP, "Demasiados niveles de enlaces simbólicos"},
    {ENXIO, "No existe el dispositivo o la dirección"},
    {EROFS, "El sistema de archivos es de solo lectura"},
    {EPERM, "Operación no permitida"},
    {ENAMETOOLONG, "El nombre del archivo es demasiado largo"},
    {ENOTDIR, "Una parte de la ruta no es una carpeta"},
    {EISDIR, "Es una carpeta"},
    {EFBIG, "El archivo supera el tamaño máximo permitido a este proceso"},
    {EIO, "Error de entrada/salida"},
    {EDQUOT, "Se ha superado la cuota de disco"},
    {EBUSY, "El dispositivo o el recurso está ocupado"},
    {ETXTBSY, "El archivo está en uso"},
    {EPIPE, "Nadie lee ya del otro extremo de la tubería"},
    {EEXIST, "El archivo ya existe"},
    // What network and FUSE file systems (NFS, SMB, sshfs) give.
    {ENOTCONN, "El sistema de archivos ya no está conectado (un montaje de red o FUSE caído)"},
    {ESTALE, "El archivo ya no existe en el servidor de archivos (identificador caducado)"},
    {ETIMEDOUT, "El servidor de archivos no responde a tiempo"},
    {EHOSTDOWN, "El servidor de archivos está apagado"},
    {EHOSTUNREACH, "No se puede llegar al servidor de archivos"},
    {ENETDOWN, "La red no funciona"},
    {ENETUNREACH, "No se puede llegar a la red"},
    {ECONNREFUSED, "El servidor de archivos rechaza la conexión"},
    {ECONNRESET, "El servidor de archivos ha cortado la conexión"},
    {ECONNABORTED, "Se ha interrumpido la conexión con el servidor de archivos"},
    {ENOLINK, "Se ha cortado el enlace con el servidor de archivos"},
    {ECOMM, "Error de comunicación al enviar"},
    {EREMOTEIO, "Error de entrada/salida en el servidor de archivos"},
    {ENOLCK, "No quedan bloqueos de archivo disponibles"},
    {EDEADLK, "Se evitó un bloqueo mutuo de recursos"},
    {ECANCELED, "Operación cancelada"},
    {ENOSYS, "Función no implementada"},
    {EOVERFLOW, "Valor demasiado grande para el tipo de datos"},
    {ERANGE, "Resultado numérico fuera de rango"},
    {EUCLEAN, "La estructura del sistema de archivos necesita una limpieza"},
    {ENODATA, "No hay datos disponibles"},
    {ENOKEY, "La clave requerida no está disponible"},
};

} // namespace

// Error numbers are small: past this none is defined on Linux.
constexpr int kLastErrorNumber = 200;

QString systemReason(int code)
{
    for (const Reason &reason : kReasons)
        if (reason.code == code)
            return QString::fromUtf8(reason.spanish);
    return QStringLiteral("Error del sistema %1").arg(code); // never the C library's English
}

QString systemFailure(const QString &, const QString &qtText)
{
    // Qt words a failure with the C library's text for errno (or its own
    // Spanish, core/spanish.cpp): found again among the error numbers, it
    // comes out in ours. Any other text (Qt's own) stays. Paths already use
    // the platform's separators.
    for (int code = 1; code <= kLastErrorNumber; ++code)
        if (qt_error_string(code) == qtText)
            return systemReason(code);
    return qtText;
}
