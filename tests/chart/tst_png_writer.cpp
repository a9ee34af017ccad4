// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "chart/png_writer.h"

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTest>

class TestPngWriter : public QObject
{
    Q_OBJECT

private slots:
    // Qt's own PNG reader (libpng, which checks every chunk's CRC) gives
    // back every pixel.
    void readBackExactly_data()
    {
        QTest::addColumn<QImage>("image");
        const auto noise = [](int width, int height, QImage::Format format) {
            QImage image(width, height, format);
            QRandomGenerator random(width * 7919 + height);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    image.setPixel(x, y, random.generate() | 0xFF000000u);
            return image;
        };
        QTest::newRow("one pixel") << noise(1, 1, QImage::Format_RGB888);
        QTest::newRow("odd sizes") << noise(7, 3, QImage::Format_RGB888);
        QTest::newRow("noise, as large as a chart") << noise(1200, 1130, QImage::Format_RGB888);
        QTest::newRow("another format, converted") << noise(33, 17, QImage::Format_ARGB32_Premultiplied);
        QImage drawing(1200, 300, QImage::Format_RGB888);
        drawing.fill(Qt::white);
        {
            QPainter painter(&drawing);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(QPen(QColor(0x1f77b4), 2));
            painter.drawLine(0, 299, 1199, 0);
            painter.fillRect(100, 100, 50, 50, QColor(0xd62728));
        }
        QTest::newRow("lines on white") << drawing;
    }

    void readBackExactly()
    {
        QFETCH(QImage, image);
        const QByteArray png = pngOf(image);
        QVERIFY(png.startsWith("\x89PNG\r\n\x1a\n"));
        QVERIFY(png.endsWith(QByteArray("IEND\xae\x42\x60\x82", 8))); // IEND's fixed CRC
        const QImage read = QImage::fromData(png, "PNG");
        QVERIFY(!read.isNull());
        QCOMPARE(read.size(), image.size());
        QCOMPARE(read.convertToFormat(QImage::Format_RGB888), image.convertToFormat(QImage::Format_RGB888));
    }

    void rowsAlikePackSmall()
    {
        QImage white(1200, 1130, QImage::Format_RGB888);
        white.fill(Qt::white);
        QVERIFY(pngOf(white).size() < 20000); // 4 MB of pixels
    }
};

QTEST_GUILESS_MAIN(TestPngWriter)
#include "tst_png_writer.moc"
