// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include <QByteArray>

class QImage;

// `image` as a PNG file: 8-bit RGB, each row filtered against the one above
// and deflated at zlib's fastest level. A chart is mostly rows alike, which
// this packs about as well as an encoder that tries every filter on every
// row, in a fraction of the time.
QByteArray pngOf(const QImage &image);
