#pragma once

#include "generation/frm_generar.h"
#include "table/table_commands.h"

#include <QMainWindow>
#include <QPointer>

class CellEditingFilter;
class Cuadricula;
class ExperienceTableModel;
class StatusBarPanels;
class frmAbout;

// The main window: the grid, the menus and the status bar. It wires each
// menu item to the command that does the work and holds the command state
// in the only place it lives: the grid's visibility and three items' states.
class frmPrincipal : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmPrincipal(QWidget *parent = nullptr);
    ~frmPrincipal() override;

    ControlesPrincipal controles();
    Cuadricula *cuadricula() const { return Cuadricula_; }
    ExperienceTableModel *modelo() const { return modelo_; }
    StatusBarPanels *barraEstado() const { return StatusBar1_; }
    frmGenerar *dialogoGenerar() const { return frmGenerar_; }

    QAction *MNU_ABRIR;
    QAction *MNU_GUARDAR;
    QAction *MNU_SALIR;
    QAction *MNU_GENERAR;
    QAction *MNU_BORRAR;
    QAction *MNU_ACERCA;

signals:
    // The user answered Yes to the exit question: the program ends now.
    void salidaConfirmada();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildMenus();
    void mostrarGenerar();
    void mostrarAcerca();

    ExperienceTableModel *modelo_;
    Cuadricula *Cuadricula_;
    StatusBarPanels *StatusBar1_;
    CellEditingFilter *edicion_;
    QPointer<frmGenerar> frmGenerar_;
    bool centred_ = false;
};
