// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "chart/svg_writer.h"

// A Qt without Qt Svg: pictures come as PNG or PDF only.

bool svgAvailable()
{
    return false;
}

QByteArray paintSvg(QSize, const QString &, const std::function<void(QPainter &)> &)
{
    return {};
}
