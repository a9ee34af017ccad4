// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include <QByteArray>
#include <QChar>

#include <optional>

// The one typing rule of the grid and the generation dialog's boxes: a typed
// character is accepted when it is exactly one of the ten digits "0123456789",
// backspace (8) or carriage return (13); look-alikes such as full-width or
// Arabic-Indic digits are refused.
bool isAcceptedCharacter(QChar typed);

// A cell's text after `typed`: a digit is appended, backspace removes the last
// character (an empty text stays empty), carriage return changes nothing.
// Empty when the character is refused: the key is swallowed.
std::optional<QByteArray> textAfterTyping(const QByteArray &text, QChar typed);
