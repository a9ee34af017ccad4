// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "chart/svg_writer.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

bool svgAvailable()
{
    return true;
}

QByteArray paintSvg(QSize size, const QString &title, const std::function<void(QPainter &)> &paint)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&out);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    // The generator writes the title as it is given: a file named "a&b"
    // would make the document unreadable.
    svg.setTitle(title.toHtmlEscaped());
    svg.setDescription(QStringLiteral("Curvas de experiencia por nivel"));
    {
        QPainter painter(&svg);
        paint(painter);
    }
    return out.data();
}
