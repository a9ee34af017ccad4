// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "widgets/appearance.h"

#include <QApplication>
#include <QTest>

class TestAppearance : public QObject
{
    Q_OBJECT

private slots:
    void windowsKeptInside_data();
    void windowsKeptInside();
    void licenceTextAsShown();
};

void TestAppearance::windowsKeptInside_data()
{
    // Larger than the area: the top-left corner stays inside; smaller: whole.
    QTest::addColumn<QPoint>("wanted");
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("placed");
    const QRect area(0, 0, 640, 360);
    QTest::newRow("larger than the area") << QPoint(-60, -30) << QSize(775, 420) << area << QPoint(0, 0);
    QTest::newRow("past the right") << QPoint(600, 10) << QSize(100, 100) << area << QPoint(540, 10);
    QTest::newRow("past the bottom") << QPoint(20, 300) << QSize(100, 100) << area << QPoint(20, 260);
    QTest::newRow("inside") << QPoint(20, 30) << QSize(100, 100) << area << QPoint(20, 30);
    QTest::newRow("a second screen above and right")
        << QPoint(100, 100) << QSize(100, 100) << QRect(1280, -200, 640, 360) << QPoint(1280, 60);
}

void TestAppearance::windowsKeptInside()
{
    QFETCH(QPoint, wanted);
    QFETCH(QSize, frame);
    QFETCH(QRect, available);
    QFETCH(QPoint, placed);
    QCOMPARE(keptInside(wanted, frame, available), placed);
}

void TestAppearance::licenceTextAsShown()
{
    // The licence's terms, in Windows' line ends, without the appendix.
    const QString licence = licenceText();
    QCOMPARE(licence.count(QStringLiteral("\r\n")), licence.count(QLatin1Char('\n')));
    QVERIFY(licence.endsWith(QStringLiteral("END OF TERMS AND CONDITIONS\r\n")));
    QVERIFY(!licence.contains(QStringLiteral("How to Apply These Terms")));
}

QTEST_MAIN(TestAppearance)
#include "tst_appearance.moc"
