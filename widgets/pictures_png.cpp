// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// Where Qt Svg is not built (the Windows build), the pictures come as PNGs
// drawn from the SVGs at build time, at the largest size the windows use.
#include "widgets/appearance.h"

QPixmap renderPicture(const QString &resource, QSize size)
{
    QString png = resource;
    png.replace(QStringLiteral(".svg"), QStringLiteral(".png"));
    return QPixmap(png).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
