// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QTimer;

// The splash window: picture, title and licence for five seconds, then it
// destroys itself and shows the main window. Nothing the user does ends it
// sooner.
class frmIntro : public QWidget
{
    Q_OBJECT

public:
    // `principal` is shown when the time is over. The timer runs from here.
    explicit frmIntro(QWidget *principal);

    QLabel *Image1;
    QLabel *Label1;
    QPlainTextEdit *Text1;
    QTimer *Reloj;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void handOver();

    QWidget *principal_;
};
