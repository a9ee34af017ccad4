// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include <QString>

class QWidget;

// The program's message boxes: caption Titulo, Spanish buttons.

// Question icon, Yes and No; true for Yes.
bool preguntarSiNo(QWidget *parent, const QString &text);

// Critical icon, OK only.
void mostrarError(QWidget *parent, const QString &text);
