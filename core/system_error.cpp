// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/system_error.h"

#include <QCoreApplication>

QString folderGivenMessage()
{
    // Qt's own words where it finds the folder itself (Unix), so that both
    // platforms say the same; Windows would only say "access denied".
    return QCoreApplication::translate("QIODevice", "file to open is a directory");
}
