// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// The pictures drawn from their SVG at the size asked for.
#include "widgets/appearance.h"

#include <QPainter>
#include <QSvgRenderer>

QPixmap renderPicture(const QString &resource, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}
