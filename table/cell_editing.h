// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include <QObject>

class Cuadricula;

// Typing into the grid: a digit is appended to the current cell's text,
// backspace removes its last character, Enter does nothing, and every other
// character is dropped before the grid sees it. Keys without a character
// (arrows, Delete, function keys, Tab) reach the grid as usual.
class CellEditingFilter : public QObject
{
    Q_OBJECT

public:
    explicit CellEditingFilter(Cuadricula *grid);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Cuadricula *grid_;
};
