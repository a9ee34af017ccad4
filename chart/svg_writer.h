// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// SVG output, where the build has Qt Svg (not every Qt has it).

#include <QByteArray>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;

bool svgAvailable();

// The document `paint` draws on a canvas of `size`; empty where there is no
// SVG writer.
QByteArray paintSvg(QSize size, const QString &title, const std::function<void(QPainter &)> &paint);
