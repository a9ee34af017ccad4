// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "shell/frm_intro.h"

#include "widgets/appearance.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>

frmIntro::frmIntro(QWidget *principal)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), principal_(principal)
{
    setObjectName(QStringLiteral("frmIntro"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(484, 184);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Imagen de presentación"));
    Image1->setGeometry(8, 8, 120, 168);
    Image1->setScaledContents(true);
    Image1->setPixmap(renderPicture(QStringLiteral(":/vexp/presentacion.svg"), QSize(320, 480)));

    Label1 = createTitleLabel(this, QRect(160, 16, 191, 23));
    Text1 = createLicenceBox(this, QRect(136, 72, 337, 105));

    Reloj = new QTimer(this);
    Reloj->setObjectName(QStringLiteral("Reloj"));
    Reloj->setSingleShot(true);
    Reloj->setInterval(5000);
    connect(Reloj, &QTimer::timeout, this, &frmIntro::handOver);
    Reloj->start();

    centreOnScreen(this);
}

void frmIntro::closeEvent(QCloseEvent *event)
{
    // A close request from the window manager (Alt+F4, a taskbar's "Close")
    // would take the timer with the window and the main window would never
    // come: until the timer hands over, the splash stays.
    if (Reloj->isActive())
        event->ignore();
    else
        QWidget::closeEvent(event);
}

void frmIntro::handOver()
{
    close(); // and destroyed with its timer: the tick comes once
    principal_->show();
}
