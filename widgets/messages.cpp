// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "widgets/messages.h"

#include "core/titulo.h"

#include <QMessageBox>

bool askYesNo(QWidget *parent, const QString &text, DefaultAnswer defaultAnswer)
{
    QMessageBox box(QMessageBox::Question, Titulo(), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(defaultAnswer == DefaultAnswer::Yes ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void showInformation(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Information, Titulo(), text, QMessageBox::Ok, parent);
    box.exec();
}

void showError(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, Titulo(), text, QMessageBox::Ok, parent);
    box.exec();
}
