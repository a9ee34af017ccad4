// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "shell/frm_principal.h"

#include "about/frm_about.h"
#include "generation/core/generate_table.h"
#include "generation/core/parametros.h"
#include "generation/frm_generar.h"
#include "shell/status_bar.h"
#include "table/cuadricula.h"
#include "table/experience_table_model.h"
#include "table/table_commands.h"
#include "widgets/appearance.h"
#include "widgets/messages.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>

#include <optional>

namespace {
// Client area below the menu bar, and the grid's place in it (pixels).
constexpr int kClientWidth = 759;
constexpr int kClientHeight = 362;
const QRect kGridGeometry(8, 8, 745, 321);
} // namespace

frmPrincipal::frmPrincipal(QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowCloseButtonHint),
      model_(new ExperienceTableModel(this))
{
    setObjectName(QStringLiteral("frmPrincipal"));
    setWindowTitle(QStringLiteral("Vandrel EXP Editor")); // start-up puts Titulo here
    setWindowIcon(programIcon());

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("areaCliente"));
    setCentralWidget(central);
    grid_ = new Cuadricula(model_, central);
    grid_->setGeometry(kGridGeometry);

    statusBar_ = new StatusBarPanels(createLockKeySource(), this);
    setStatusBar(statusBar_);
    buildMenus();
    applyTableEvent(TableEvent::Created);

    // The client area below the menu bar is fixed, whatever height the
    // platform gives the menu bar.
    central->setFixedSize(kClientWidth, kClientHeight - statusBar_->height());
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

frmPrincipal::~frmPrincipal() = default;

void frmPrincipal::buildMenus()
{
    auto action = [this](QMenu *menu, const char *name, const QString &caption, QKeySequence shortcut) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        a->setShortcut(shortcut);
        return a;
    };
    QMenu *archivo = menuBar()->addMenu(QStringLiteral("&Archivo"));
    archivo->setObjectName(QStringLiteral("MNU_ARCHIVO"));
    MNU_ABRIR = action(archivo, "MNU_ABRIR", QStringLiteral("Abrir"), QKeySequence(Qt::CTRL | Qt::Key_O));
    MNU_GUARDAR = action(archivo, "MNU_GUARDAR", QStringLiteral("G&uardar"), QKeySequence(Qt::CTRL | Qt::Key_U));
    archivo->addSeparator()->setObjectName(QStringLiteral("MNU_GUION"));
    MNU_SALIR = action(archivo, "MNU_SALIR", QStringLiteral("&Salir"), QKeySequence(Qt::CTRL | Qt::Key_X));

    QMenu *edicion = menuBar()->addMenu(QStringLiteral("&Edición"));
    edicion->setObjectName(QStringLiteral("MNU_EDICION"));
    MNU_GENERAR = action(edicion, "MNU_GENERAR", QStringLiteral("&Generar Tabla"), QKeySequence(Qt::CTRL | Qt::Key_G));
    MNU_BORRAR = action(edicion, "MNU_BORRAR", QStringLiteral("&Borrar Tabla"), QKeySequence(Qt::CTRL | Qt::Key_B));

    QMenu *ayuda = menuBar()->addMenu(QStringLiteral("Ay&uda"));
    ayuda->setObjectName(QStringLiteral("MNU_AYUDA"));
    MNU_ACERCA = action(ayuda, "MNU_ACERCA", QStringLiteral("A&cerca de Vandrel Exp Editor"),
                        QKeySequence(Qt::CTRL | Qt::Key_C));

    connect(MNU_ABRIR, &QAction::triggered, this,
            [this] { finishCommand(openTableFile(this, *model_, opened_), TableEvent::Read); });
    connect(MNU_GUARDAR, &QAction::triggered, this,
            [this] { finishCommand(saveTableFile(this, *model_, opened_), TableEvent::Saved); });
    connect(MNU_SALIR, &QAction::triggered, this, &QWidget::close);
    connect(MNU_GENERAR, &QAction::triggered, this, &frmPrincipal::showGenerationDialog);
    connect(MNU_BORRAR, &QAction::triggered, this,
            [this] { finishCommand(clearTable(this, *model_), TableEvent::Cleared); });
    connect(MNU_ACERCA, &QAction::triggered, this, &frmPrincipal::showAboutWindow);
}

void frmPrincipal::applyTableEvent(TableEvent event)
{
    // The grid and the save and clear items go together; generating changes
    // only where the table says (empty: unchanged).
    bool shown = false;
    std::optional<bool> generating;
    switch (event) {
    case TableEvent::Created:
    case TableEvent::Cleared:
        generating = true;
        break;
    case TableEvent::Read:
        shown = true;
        break;
    case TableEvent::Generated:
        shown = true;
        generating = false;
        break;
    case TableEvent::Saved:
        break;
    }
    grid_->setVisible(shown);
    MNU_GUARDAR->setEnabled(shown);
    MNU_BORRAR->setEnabled(shown);
    if (generating)
        MNU_GENERAR->setEnabled(*generating);
}

void frmPrincipal::finishCommand(const CommandOutcome &outcome, TableEvent event, QWidget *owner)
{
    if (outcome.kind == CommandOutcome::Done)
        applyTableEvent(event);
    else if (outcome.kind == CommandOutcome::Failed) // the table and the state stay as they were
        showError(owner ? owner : this, outcome.message);
}

void frmPrincipal::showGenerationDialog()
{
    // A dialog that has closed is only waiting to be deleted: build a new one.
    if (!generationDialog_ || !generationDialog_->isVisible()) {
        generationDialog_ = new frmGenerar(programParameters(), this);
        connect(generationDialog_, &frmGenerar::parametersAccepted, this, &frmPrincipal::generateAccepted);
    }
    generationDialog_->show();
    generationDialog_->raise();
    generationDialog_->activateWindow();
}

void frmPrincipal::generateAccepted(const Parametros &parametros)
{
    ExperienceTable table;
    const CommandOutcome outcome = generateTable(parametros, programParameters(), table);
    if (outcome.kind == CommandOutcome::Done) {
        generationDialog_->close();
        model_->replaceTable(std::move(table));
    }
    // A failure is shown over the dialog, which keeps what was typed.
    finishCommand(outcome, TableEvent::Generated, generationDialog_);
}

void frmPrincipal::showAboutWindow()
{
    frmAbout about(this);
    about.exec();
}

void frmPrincipal::closeEvent(QCloseEvent *event)
{
    if (!askYesNo(this, QStringLiteral("¿Està seguro Que Desea Salir?"))) {
        event->ignore();
        return;
    }
    event->accept();
    emit exitConfirmed();
}

void frmPrincipal::showEvent(QShowEvent *event)
{
    if (!centred_ && screen()) {
        centred_ = true;
        centreOnScreen(this);
    }
    QMainWindow::showEvent(event);
}
