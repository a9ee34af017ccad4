// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// Build helper: draws an SVG into a PNG of the given size, "N" (square) or "WxH".
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 4)
        return 2;
    const QStringList sides = QString::fromLocal8Bit(argv[2]).split(QLatin1Char('x'));
    const int width = sides.first().toInt();
    const int height = sides.last().toInt();
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    const QString out = QString::fromLocal8Bit(argv[3]);
    QDir().mkpath(QFileInfo(out).path());
    return image.save(out) ? 0 : 1;
}
