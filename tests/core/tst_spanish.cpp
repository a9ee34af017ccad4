// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/spanish.h"

#include <QCoreApplication>
#include <QTest>
#include <QTranslator>

class TestSpanish : public QObject
{
    Q_OBJECT

private slots:
    void ownQtTexts_data();
    void ownQtTexts();
};

void TestSpanish::ownQtTexts_data()
{
    // The Qt texts the programs show, in the Spanish the Windows programs
    // carry (Qt's own translations are not built into them).
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("spanish");
    QTest::newRow("a message box's Yes") << QStringLiteral("QPlatformTheme") << QStringLiteral("&Yes")
                                         << QStringLiteral("&Sí");
    QTest::newRow("a message box's No") << QStringLiteral("QPlatformTheme") << QStringLiteral("&No")
                                        << QStringLiteral("&No");
    QTest::newRow("a message box's OK") << QStringLiteral("QPlatformTheme") << QStringLiteral("OK")
                                        << QStringLiteral("Aceptar");
    QTest::newRow("a text box's menu") << QStringLiteral("QLineEdit") << QStringLiteral("Select All")
                                       << QStringLiteral("Seleccionar todo");
    QTest::newRow("the licence box's menu")
        << QStringLiteral("QWidgetTextControl") << QStringLiteral("&Copy") << QStringLiteral("&Copiar");
    QTest::newRow("a folder opened as a file")
        << QStringLiteral("QIODevice") << QStringLiteral("file to open is a directory")
        << QStringLiteral("el archivo que se quiere abrir es una carpeta");
    QTest::newRow("an argument kept") << QStringLiteral("QSaveFile")
                                      << QStringLiteral("Existing file %1 is not writable")
                                      << QStringLiteral("No se puede escribir en el archivo %1");
    QTest::newRow("a text of no window of ours stays")
        << QStringLiteral("QFileDialog") << QStringLiteral("Look in:") << QStringLiteral("Look in:");
}

void TestSpanish::ownQtTexts()
{
    QFETCH(QString, context);
    QFETCH(QString, source);
    QFETCH(QString, spanish);
    QTranslator *texts = makeOwnQtTexts(this);
    QVERIFY(QCoreApplication::installTranslator(texts));
    const QString shown = QCoreApplication::translate(context.toLatin1().constData(), source.toLatin1().constData());
    QCoreApplication::removeTranslator(texts);
    delete texts;
    QCOMPARE(shown, spanish);
}

QTEST_GUILESS_MAIN(TestSpanish)
#include "tst_spanish.moc"
