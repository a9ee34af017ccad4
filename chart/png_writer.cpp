// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "chart/png_writer.h"

#include <QImage>

#include <array>
#include <cstdint>

namespace {

// CRC-32 as PNG and zlib define it (polynomial 0xEDB88320), a byte a step.
const std::array<uint32_t, 256> &crcTable()
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

void appendBigEndian(QByteArray &out, uint32_t value)
{
    out.append(char(value >> 24)).append(char(value >> 16)).append(char(value >> 8)).append(char(value));
}

void appendChunk(QByteArray &out, const char type[4], const char *data, qsizetype size)
{
    appendBigEndian(out, uint32_t(size));
    const qsizetype start = out.size();
    out.append(type, 4).append(data, size);
    uint32_t crc = 0xFFFFFFFFu;
    const auto &table = crcTable();
    for (qsizetype i = start; i < out.size(); ++i)
        crc = table[(crc ^ uint8_t(out[i])) & 0xFF] ^ (crc >> 8);
    appendBigEndian(out, crc ^ 0xFFFFFFFFu);
}

} // namespace

QByteArray pngOf(const QImage &source)
{
    const QImage image =
        source.format() == QImage::Format_RGB888 ? source : source.convertToFormat(QImage::Format_RGB888);
    const int width = image.width(), height = image.height();
    const qsizetype rowBytes = qsizetype(width) * 3;

    // Each row behind its filter byte: 2, "up", each byte less the one above
    // it (the first row against zeros). Rows alike become zeros.
    QByteArray rows(height * (rowBytes + 1), Qt::Uninitialized);
    char *out = rows.data();
    for (int y = 0; y < height; ++y) {
        const uchar *row = image.constScanLine(y);
        const uchar *above = y > 0 ? image.constScanLine(y - 1) : nullptr;
        *out++ = 2;
        for (qsizetype x = 0; x < rowBytes; ++x)
            *out++ = char(above ? uint8_t(row[x] - above[x]) : row[x]);
    }
    // qCompress writes the length first, then the zlib stream PNG wants.
    const QByteArray packed = qCompress(rows, 1);

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    appendBigEndian(header, uint32_t(width));
    appendBigEndian(header, uint32_t(height));
    header.append("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, filter set 0, no interlace
    appendChunk(png, "IHDR", header.constData(), header.size());
    appendChunk(png, "IDAT", packed.constData() + 4, packed.size() - 4);
    appendChunk(png, "IEND", nullptr, 0);
    return png;
}
