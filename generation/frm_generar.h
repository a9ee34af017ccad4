// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include "generation/core/parametros.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;

// The generation dialog: twenty boxes that start at the defaults. Accepting
// checks every box and hands the values back through parametersAccepted(); the caller
// generates and closes the dialog, or reports a failure and leaves it open
// with what was typed. Modeless, discarded on closing.
class frmGenerar : public QDialog
{
    Q_OBJECT

public:
    // The load step resets `parametros`, the program's store, to the defaults.
    frmGenerar(Parametros &parametros, QWidget *owner);

    // The twenty boxes in tab order (TxtNobBase ... TxtIncNextJob).
    const std::array<QLineEdit *, 20> &boxes() const { return boxes_; }
    QLineEdit *boxNamed(const char *name) const;

    QPushButton *cmdAceptar;
    QPushButton *cmdCancelar;

    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    // Every box held a value from -32768 to 32767.
    void parametersAccepted(const Parametros &parametros);

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool shown_ = false;
    void fillControls();
    void acceptClicked();

    Parametros &parameters_;
    std::array<QLineEdit *, 20> boxes_{};
};
