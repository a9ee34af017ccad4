// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QString>

class QApplication;
class QLabel;
class QPlainTextEdit;
class QWidget;

// Spanish Qt texts, metric-compatible faces for the Windows fonts the windows
// are drawn in, and the program's application font.
void prepareApplication(QApplication &app);

// "Times New Roman" 12 pt, or a metric-compatible serif.
QFont timesFont12(bool bold);
// "Arial Black", bold, 12 pt, or the heaviest sans at hand.
QFont arialBlackFont12();

// An SVG resource (":/vexp/acerca.svg") drawn at the given size.
QPixmap renderPicture(const QString &resource, QSize size);
QIcon programIcon();

// The GNU GPL version 2 as stored (CR LF line ends), and as a text box shows it.
QString licenceText();
QString licenceTextForDisplay();

// The two windows that show the licence and the title build them alike.
// Read-only, vertical scroll bar, the licence as `Text1`.
QPlainTextEdit *createLicenceBox(QWidget *parent, const QRect &geometry);
// The stored title text "Vandrel EXP Editor" in Arial Black, as `Label1`.
QLabel *createTitleLabel(QWidget *parent, const QRect &geometry);

// Moves the window `window` so that its frame, title bar included, is centred
// on `owner`'s frame. The frame is known only once the window exists, so it
// is called again when the window is first shown.
void centreOver(QWidget *window, const QWidget *owner);

// On a dialog's first show only (`shown` says whether it came): gives
// `focus` the keyboard focus, which a hidden widget cannot take, and centres
// the dialog over its owner again, now with the frame the platform gives it.
void finishFirstShow(QWidget *dialog, QWidget *focus, bool &shown);

// Centres `window`'s frame on the available area of its screen.
void centreOnScreen(QWidget *window);

// Where a frame of `frame` size wanted at `wanted` goes so that it stays
// inside `available`; larger than the area, its top-left corner (menu bar,
// first column) is what stays inside.
QPoint keptInside(QPoint wanted, QSize frame, const QRect &available);
