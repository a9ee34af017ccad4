// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include <QString>

class QWidget;

// The program's message boxes: caption Titulo, Spanish buttons.

// Which button a question's Enter takes.
enum class DefaultAnswer { Yes, No };

// Question icon, Yes and No; true for Yes.
bool askYesNo(QWidget *parent, const QString &text, DefaultAnswer defaultAnswer = DefaultAnswer::Yes);

// Information icon, OK only.
void showInformation(QWidget *parent, const QString &text);

// Critical icon, OK only.
void showError(QWidget *parent, const QString &text);
