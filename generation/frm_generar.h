#pragma once

#include "table/table_commands.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;
struct Parametros;

// The generation dialog: twenty boxes that start at the defaults; accepting
// stores them, closes the dialog and generates the whole table into the main
// window's grid. Modeless, owned by the main window, discarded on closing.
class frmGenerar : public QDialog
{
    Q_OBJECT

public:
    frmGenerar(const ControlesPrincipal &controles, Parametros &parametros, QWidget *owner);

    // The twenty boxes in tab order (TxtNobBase ... TxtIncNextJob).
    const std::array<QLineEdit *, 20> &cajas() const { return cajas_; }
    QLineEdit *caja(const char *name) const;

    QPushButton *cmdAceptar;
    QPushButton *cmdCancelar;

    bool eventFilter(QObject *watched, QEvent *event) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool shown_ = false;
    void Form_Load();
    void cmdAceptar_Click();

    ControlesPrincipal controles_;
    Parametros &parametros_;
    std::array<QLineEdit *, 20> cajas_{};
};
