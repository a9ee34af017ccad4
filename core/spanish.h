// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

class QCoreApplication;
class QObject;
class QTranslator;

// Spanish for Qt's own texts and formats, in the editor and the companion
// tool alike: Spanish as the default locale; the Qt texts the programs show,
// in Spanish of our own, carried inside the programs; and where Qt's
// translations are installed beside it, those for every other text.
void useSpanish(QCoreApplication &app);

// The translator of the Qt texts the programs show, in Spanish of our own.
QTranslator *makeOwnQtTexts(QObject *parent);
