#include "frm_principal.h"

#include "about/frm_about.h"
#include "apariencia.h"
#include "cell_editing.h"
#include "generation/frm_generar.h"
#include "generation/parametros.h"
#include "mensajes.h"
#include "status_bar.h"
#include "table/cuadricula.h"
#include "table/experience_table_model.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>

namespace {
// Client area below the menu bar, and the grid's place in it (pixels).
constexpr int kClientWidth = 759;
constexpr int kClientHeight = 362;
const QRect kGridGeometry(8, 8, 745, 321);
} // namespace

frmPrincipal::frmPrincipal(QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowCloseButtonHint),
      modelo_(new ExperienceTableModel(this))
{
    setObjectName(QStringLiteral("frmPrincipal"));
    setWindowTitle(QStringLiteral("Vandrel EXP Editor")); // start-up puts Titulo here
    setWindowIcon(iconoPrograma());

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("areaCliente"));
    setCentralWidget(central);
    Cuadricula_ = new Cuadricula(modelo_, central);
    Cuadricula_->setGeometry(kGridGeometry);
    Cuadricula_->hide();
    edicion_ = new CellEditingFilter(Cuadricula_);

    StatusBar1_ = new StatusBarPanels(createLockKeySource(), this);
    setStatusBar(StatusBar1_);
    buildMenus();

    setFixedSize(kClientWidth, menuBar()->sizeHint().height() + kClientHeight);
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

    MNU_GUARDAR->setEnabled(false);
    MNU_BORRAR->setEnabled(false);

    connect(MNU_ABRIR, &QAction::triggered, this, [this] { abrirArchivo(controles()); });
    connect(MNU_GUARDAR, &QAction::triggered, this, [this] { guardarArchivo(controles()); });
    connect(MNU_SALIR, &QAction::triggered, this, &QWidget::close);
    connect(MNU_GENERAR, &QAction::triggered, this, &frmPrincipal::mostrarGenerar);
    connect(MNU_BORRAR, &QAction::triggered, this, [this] { borrarTabla(controles()); });
    connect(MNU_ACERCA, &QAction::triggered, this, &frmPrincipal::mostrarAcerca);
}

ControlesPrincipal frmPrincipal::controles()
{
    return {this, Cuadricula_, modelo_, MNU_GUARDAR, MNU_BORRAR, MNU_GENERAR};
}

void frmPrincipal::mostrarGenerar()
{
    // A dialog that has closed is only waiting to be deleted: build a new one.
    if (!frmGenerar_ || !frmGenerar_->isVisible())
        frmGenerar_ = new frmGenerar(controles(), parametrosDelPrograma(), this);
    frmGenerar_->show();
    frmGenerar_->raise();
    frmGenerar_->activateWindow();
}

void frmPrincipal::mostrarAcerca()
{
    frmAbout about(this);
    about.exec();
}

void frmPrincipal::closeEvent(QCloseEvent *event)
{
    if (!preguntarSiNo(this, QStringLiteral("¿Està seguro Que Desea Salir?"))) {
        event->ignore();
        return;
    }
    event->accept();
    emit salidaConfirmada();
}

void frmPrincipal::showEvent(QShowEvent *event)
{
    if (!centred_ && screen()) {
        centred_ = true;
        const QRect available = screen()->availableGeometry();
        const QSize outer = frameGeometry().size();
        move(available.center() - QPoint(outer.width() / 2, outer.height() / 2));
    }
    QMainWindow::showEvent(event);
}
