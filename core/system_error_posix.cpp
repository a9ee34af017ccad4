// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/system_error.h"

QString systemFailure(const QString &, const QString &qtText)
{
    // Qt's words here come from errno, in the program's Spanish (core/spanish.cpp)
    // or the system's language; paths already use the platform's separators.
    return qtText;
}
