// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "chart/drawing_platform.h"

#include <QByteArray>

void chooseDrawingPlatform()
{
    // Pictures go to files: no window is ever shown, so no display is asked for.
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
}
