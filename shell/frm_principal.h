// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include "generation/frm_generar.h"
#include "table/core/file_snapshot.h"

#include <QMainWindow>
#include <QPointer>

class Cuadricula;
class ExperienceTableModel;
class StatusBarPanels;
class frmAbout;
struct CommandOutcome;

// What happened to the table, as the command state sees it.
enum class TableEvent {
    Created,   // the window was built: grid hidden, only generating enabled
    Read,      // a table file was read: grid shown, saving and clearing enabled
    Generated, // generation accepted: as Read, and generating disabled
    Saved,     // the table was written: grid hidden, saving and clearing disabled
    Cleared,   // the table was emptied: as Saved, and generating enabled
};

// The main window: the grid, the menus and the status bar. It wires each
// menu item to the command that does the work and alone sets the command
// state: the grid's visibility and the states of three menu items.
class frmPrincipal : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmPrincipal(QWidget *parent = nullptr);
    ~frmPrincipal() override;

    // The one place the command state changes.
    void applyTableEvent(TableEvent event);

    Cuadricula *grid() const { return grid_; }
    ExperienceTableModel *model() const { return model_; }
    StatusBarPanels *statusBarPanels() const { return statusBar_; }
    frmGenerar *generationDialog() const { return generationDialog_; }

    QAction *MNU_ABRIR;
    QAction *MNU_GUARDAR;
    QAction *MNU_SALIR;
    QAction *MNU_GENERAR;
    QAction *MNU_BORRAR;
    QAction *MNU_ACERCA;

signals:
    // The user answered Yes to the exit question: the program ends now.
    void exitConfirmed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildMenus();
    // Sets the command state after a command; a failure's message is shown
    // over `owner`, by default this window.
    void finishCommand(const CommandOutcome &outcome, TableEvent event, QWidget *owner = nullptr);
    void showGenerationDialog();
    void generateAccepted(const Parametros &parametros);
    void showAboutWindow();

    ExperienceTableModel *model_;
    Cuadricula *grid_;
    StatusBarPanels *statusBar_;
    QPointer<frmGenerar> generationDialog_;
    FileSnapshot opened_; // what the last file opened was when read
    bool centred_ = false;
};
