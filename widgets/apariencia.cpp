// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "widgets/apariencia.h"

#include "core/spanish.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>

void prepararAplicacion(QApplication &app)
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
    app.setWindowIcon(iconoPrograma());
}

QFont fuenteTimes12(bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
    font.setPointSize(12);
    font.setBold(bold);
    return font;
}

QFont fuenteArialBlack12()
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial Black"), QStringLiteral("Liberation Sans")});
    font.setPointSize(12);
    font.setWeight(QFont::Black);
    return font;
}

QIcon iconoPrograma()
{
    QIcon icon;
    for (int side : {16, 32, 48, 64})
        icon.addPixmap(dibujarSvg(QStringLiteral(":/vexp/icono.svg"), QSize(side, side)));
    return icon;
}

QString textoLicencia()
{
    QFile file(QStringLiteral(":/vexp/licencia.txt"));
    file.open(QIODevice::ReadOnly);
    return QString::fromLatin1(file.readAll());
}

QString textoLicenciaParaMostrar()
{
    QString text = textoLicencia();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

QPlainTextEdit *crearCajaLicencia(QWidget *parent, const QRect &geometry)
{
    auto *box = new QPlainTextEdit(parent);
    box->setObjectName(QStringLiteral("Text1"));
    box->setAccessibleName(QStringLiteral("Licencia"));
    box->setGeometry(geometry);
    box->setReadOnly(true);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setPlainText(textoLicenciaParaMostrar());
    return box;
}

QLabel *crearEtiquetaTitulo(QWidget *parent, const QRect &geometry)
{
    auto *label = new QLabel(QStringLiteral("Vandrel EXP Editor"), parent);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(geometry);
    label->setFont(fuenteArialBlack12());
    return label;
}

void centreOver(QWidget *window, const QWidget *owner)
{
    if (!owner)
        return;
    const QSize frame = window->frameGeometry().size();
    window->move(owner->frameGeometry().center() - QPoint(frame.width() / 2, frame.height() / 2));
}
