// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "widgets/appearance.h"

#include "core/spanish.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>

#include <algorithm>

void prepareApplication(QApplication &app)
{
    useSpanish(app);

    QFont::insertSubstitutions(QStringLiteral("Arial Black"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});

    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPointSize(9);
    QApplication::setFont(font);
    app.setWindowIcon(programIcon());
}

QFont timesFont12(bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
    font.setPointSize(12);
    font.setBold(bold);
    return font;
}

QFont arialBlackFont12()
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial Black"), QStringLiteral("Liberation Sans")});
    font.setPointSize(12);
    font.setWeight(QFont::Black);
    return font;
}

QIcon programIcon()
{
    QIcon icon;
    for (int side : {16, 32, 48, 64})
        icon.addPixmap(renderPicture(QStringLiteral(":/vexp/icono.svg"), QSize(side, side)));
    return icon;
}

QString licenceText()
{
    QFile file(QStringLiteral(":/vexp/licencia.txt"));
    file.open(QIODevice::ReadOnly);
    return QString::fromLatin1(file.readAll());
}

QString licenceTextForDisplay()
{
    QString text = licenceText();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

QPlainTextEdit *createLicenceBox(QWidget *parent, const QRect &geometry)
{
    auto *box = new QPlainTextEdit(parent);
    box->setObjectName(QStringLiteral("Text1"));
    box->setAccessibleName(QStringLiteral("Licencia"));
    box->setGeometry(geometry);
    box->setReadOnly(true);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setPlainText(licenceTextForDisplay());
    return box;
}

QLabel *createTitleLabel(QWidget *parent, const QRect &geometry)
{
    auto *label = new QLabel(QStringLiteral("Vandrel EXP Editor"), parent);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(geometry);
    label->setFont(arialBlackFont12());
    return label;
}

QPoint keptInside(QPoint wanted, QSize frame, const QRect &available)
{
    const int x = std::max(available.left(), std::min(wanted.x(), available.right() + 1 - frame.width()));
    const int y = std::max(available.top(), std::min(wanted.y(), available.bottom() + 1 - frame.height()));
    return {x, y};
}

namespace {

void moveFrameCentreTo(QWidget *window, QPoint centre, const QScreen *screen)
{
    const QSize frame = window->frameGeometry().size();
    const QPoint wanted = centre - QPoint(frame.width() / 2, frame.height() / 2);
    window->move(screen ? keptInside(wanted, frame, screen->availableGeometry()) : wanted);
}

} // namespace

void centreOver(QWidget *window, const QWidget *owner)
{
    if (!owner)
        return;
    moveFrameCentreTo(window, owner->frameGeometry().center(), owner->screen());
}

void finishFirstShow(QWidget *dialog, QWidget *focus, bool &shown)
{
    if (shown)
        return;
    shown = true;
    focus->setFocus(Qt::OtherFocusReason);
    centreOver(dialog, dialog->parentWidget());
}

void centreOnScreen(QWidget *window)
{
    if (const QScreen *screen = window->screen())
        moveFrameCentreTo(window, screen->availableGeometry().center(), screen);
}
