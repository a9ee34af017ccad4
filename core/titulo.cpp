// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/titulo.h"

QString ConstruirTitulo(int major, int minor)
{
    return QStringLiteral("Vandrel EXP Editor v%1.%2").arg(major).arg(minor);
}

const QString &Titulo()
{
    static const QString titulo = ConstruirTitulo(VEXP_VERSION_MAJOR, VEXP_VERSION_MINOR);
    return titulo;
}
