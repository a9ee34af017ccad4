// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "gui_helpers.h"
#include "main_window_fixture.h"
#include <QAccessible>

#include "about/frm_about.h"
#include "core/titulo.h"
#include "generation/core/parametros.h"
#include "shell/frm_intro.h"
#include "shell/frm_principal.h"
#include "shell/mod_principal.h"
#include "shell/status_bar.h"
#include "table/cuadricula.h"
#include "table/experience_table_model.h"
#include "widgets/appearance.h"

#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QWindow>

namespace {

class FakeLockKeys : public LockKeySource
{
public:
    explicit FakeLockKeys(std::optional<LockKeyState> state) : state_(state) {}
    std::optional<LockKeyState> read() override { return state_; }

private:
    std::optional<LockKeyState> state_;
};

struct CommandState
{
    bool grid, guardar, borrar, generar;
    bool operator==(const CommandState &) const = default;
};

CommandState stateOf(const frmPrincipal &w)
{
    return {w.grid()->isVisible(), w.MNU_GUARDAR->isEnabled(), w.MNU_BORRAR->isEnabled(), w.MNU_GENERAR->isEnabled()};
}

char *toString(const CommandState &s) // for QCOMPARE
{
    return qstrdup(QStringLiteral("grid=%1 guardar=%2 borrar=%3 generar=%4")
                       .arg(s.grid)
                       .arg(s.guardar)
                       .arg(s.borrar)
                       .arg(s.generar)
                       .toLatin1()
                       .constData());
}

} // namespace

class TestFrmPrincipal : public MainWindowTest
{
    Q_OBJECT

private slots:

    void startupShowsTheSplashThenTheMainWindow();
    void splashIgnoresClicksAndKeys();
    void windowGeometryAndDecoration();
    void windowsStayOnTheScreen();
    void menuTreeCaptionsShortcutsAndStates();
    void statusBarPanels();
    void exitQuestionNoKeepsEverything();
    void exitQuestionYesEndsTheProgram_data();
    void exitQuestionYesEndsTheProgram();
    void clearAskedAndAnswered();
    void gridHeaderAndColumnWidths();
    void labelColumnTakesNoSelection();
    void cellEditingByKeys();
    void copyAndCutShortcutsRunTheirCommands();
    void aMillionRowsAreOneReset();

private:
};

void TestFrmPrincipal::startupShowsTheSplashThenTheMainWindow()
{
    ValoresPorDefecto(programParameters());
    programParameters().MultExp = 77; // start-up must reset it
    const Startup startup = Main();
    std::unique_ptr<frmPrincipal> principal(startup.principal);
    QPointer<frmIntro> intro = startup.intro;

    Parametros defaults;
    ValoresPorDefecto(defaults);
    QVERIFY(programParameters() == defaults);
    QCOMPARE(Titulo(), QStringLiteral("Vandrel EXP Editor v1.0"));
    QCOMPARE(Titulo().size(), 23);
    QCOMPARE(principal->windowTitle(), Titulo());
    QCOMPARE(intro->windowTitle(), Titulo());
    QCOMPARE(intro->Label1->text(), Titulo());
    QVERIFY(intro->isVisible());
    QVERIFY(!principal->isVisible());
    QVERIFY(!principal->grid()->isVisibleTo(principal.get()));

    // The splash: borderless, 484 x 184, picture, title, licence, timer.
    QVERIFY(intro->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(intro->size(), QSize(484, 184));
    const QString faults = placementFaults(
        *intro,
        {{"Image1", QRect(8, 8, 120, 168)}, {"Label1", QRect(160, 16, 191, 23)}, {"Text1", QRect(136, 72, 337, 105)}});
    QVERIFY2(faults.isEmpty(), qPrintable(faults));
    QVERIFY(!intro->Image1->pixmap().isNull());
    QCOMPARE(intro->Label1->font().pointSize(), 12);
    QVERIFY(intro->Label1->font().bold());
    QVERIFY(intro->Label1->font().families().contains(QStringLiteral("Arial Black")));
    QVERIFY(intro->Text1->isReadOnly());
    QCOMPARE(intro->Text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(intro->Text1->toPlainText().startsWith(QStringLiteral("                    GNU GENERAL PUBLIC LICENSE")));
    QVERIFY(intro->Text1->toPlainText().endsWith(QStringLiteral("END OF TERMS AND CONDITIONS")));
    QCOMPARE(intro->Text1->toPlainText(), licenceTextForDisplay());
    QCOMPARE(intro->Reloj->interval(), 5000);
    QVERIFY(intro->Reloj->isSingleShot());
    QVERIFY(intro->Reloj->isActive());

    // Hand-over without waiting five seconds: fire the timer now.
    intro->Reloj->start(0);
    QTRY_VERIFY(principal->isVisible());
    QTRY_VERIFY(intro.isNull());
    QCOMPARE(stateOf(*principal), (CommandState{false, false, false, true}));
}

void TestFrmPrincipal::splashIgnoresClicksAndKeys()
{
    const Startup startup = Main();
    std::unique_ptr<frmPrincipal> principal(startup.principal);
    QPointer<frmIntro> intro = startup.intro;
    QVERIFY(QTest::qWaitForWindowExposed(intro));
    QTest::mouseClick(intro, Qt::LeftButton, {}, QPoint(300, 30));
    QTest::mouseClick(intro->Image1, Qt::LeftButton);
    QTest::keyClick(intro, Qt::Key_Escape);
    QTest::keyClick(intro, Qt::Key_Return);
    QTest::keyClick(intro->Text1, Qt::Key_Space);
    // A close request to the window, as the window manager sends for Alt+F4
    // or a taskbar's "Close".
    QVERIFY(!intro->windowHandle()->close());
    QTest::qWait(50);
    QVERIFY(intro && intro->isVisible());
    QVERIFY(!principal->isVisible());
    QVERIFY(intro->Reloj->isActive());
    QVERIFY(intro->Reloj->remainingTime() > 3000); // clicks did not restart or shorten it
    delete intro;
}

void TestFrmPrincipal::windowGeometryAndDecoration()
{
    QCOMPARE(w->width(), 759);
    QCOMPARE(w->height() - w->menuBar()->height(), 362);
    QCOMPARE(w->minimumSize(), w->maximumSize()); // fixed size
    const Qt::WindowFlags flags = w->windowFlags();
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::WindowSystemMenuHint);

    QStatusBar *bar = w->statusBar();
    QCOMPARE(bar->objectName(), QStringLiteral("StatusBar1"));
    QCOMPARE(bar->height(), 25);
    QCOMPARE(bar->geometry(), QRect(0, w->height() - 25, 759, 25));
    QCOMPARE(w->centralWidget()->geometry(), QRect(0, w->menuBar()->height(), 759, 337));
    QCOMPARE(w->grid()->geometry(), QRect(8, 8, 745, 321));
    QCOMPARE(w->grid()->parentWidget(), w->centralWidget());

    const QList<QSize> sizes = w->windowIcon().availableSizes();
    QVERIFY(sizes.contains(QSize(16, 16)));
    QVERIFY(sizes.contains(QSize(32, 32)));
}

void TestFrmPrincipal::windowsStayOnTheScreen()
{
    // The real windows on this screen (the rule itself: tst_appearance); the test runs again on a small screen
    // at scale factor 2, where the main window is wider than the screen.
    auto onScreen = [](QWidget *window) {
        const QRect available = window->screen()->availableGeometry();
        const QRect frame = window->frameGeometry();
        if (!available.contains(frame.topLeft()))
            return false;
        return frame.width() > available.width() || frame.height() > available.height() || available.contains(frame);
    };
    QVERIFY2(onScreen(w.get()), qPrintable(QStringLiteral("%1,%2").arg(w->frameGeometry().x()).arg(w->y())));
    w->MNU_GENERAR->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(w->generationDialog()));
    QVERIFY(onScreen(w->generationDialog()));
    w->generationDialog()->close();
    bool aboutOnScreen = false;
    whenModal<frmAbout>([&](frmAbout *about) {
        aboutOnScreen = onScreen(about);
        about->close();
    });
    w->MNU_ACERCA->trigger();
    QVERIFY(aboutOnScreen);

    const Startup startup = Main();
    std::unique_ptr<frmPrincipal> principal(startup.principal);
    std::unique_ptr<frmIntro> intro(startup.intro);
    QVERIFY(onScreen(intro.get()));
}

void TestFrmPrincipal::menuTreeCaptionsShortcutsAndStates()
{
    struct Item
    {
        QString caption;
        QString shortcut;
        bool enabled;
    };
    const QList<QPair<QString, QList<Item>>> expected = {
        {QStringLiteral("&Archivo"),
         {{QStringLiteral("Abrir"), QStringLiteral("Ctrl+O"), true},
          {QStringLiteral("G&uardar"), QStringLiteral("Ctrl+U"), false},
          {QString(), QString(), true},
          {QStringLiteral("&Salir"), QStringLiteral("Ctrl+X"), true}}},
        {QStringLiteral("&Edición"),
         {{QStringLiteral("&Generar Tabla"), QStringLiteral("Ctrl+G"), true},
          {QStringLiteral("&Borrar Tabla"), QStringLiteral("Ctrl+B"), false}}},
        {QStringLiteral("Ay&uda"), {{QStringLiteral("A&cerca de Vandrel Exp Editor"), QStringLiteral("Ctrl+C"), true}}},
    };
    const QList<QAction *> menus = w->menuBar()->actions();
    QCOMPARE(menus.size(), expected.size());
    for (int m = 0; m < menus.size(); ++m) {
        QCOMPARE(menus[m]->text(), expected[m].first);
        QVERIFY(menus[m]->isEnabled());
        const QList<QAction *> items = menus[m]->menu()->actions();
        QCOMPARE(items.size(), expected[m].second.size());
        for (int i = 0; i < items.size(); ++i) {
            const Item &want = expected[m].second[i];
            QCOMPARE(items[i]->isSeparator(), want.caption.isEmpty());
            QCOMPARE(items[i]->text(), want.caption);
            QCOMPARE(items[i]->shortcut().toString(QKeySequence::PortableText), want.shortcut);
            QCOMPARE(items[i]->isEnabled(), want.enabled);
        }
    }
    QCOMPARE(w->MNU_ABRIR->objectName(), QStringLiteral("MNU_ABRIR"));
    QCOMPARE(w->MNU_ACERCA->objectName(), QStringLiteral("MNU_ACERCA"));
}

void TestFrmPrincipal::statusBarPanels()
{
    StatusBarPanels bar(std::make_unique<FakeLockKeys>(LockKeyState{true, false, true}));
    bar.setClock([] { return QDateTime(QDate(2026, 12, 8), QTime(9, 5, 30)); });
    const int widths[5] = {169, 169, 64, 64, 64};
    for (int p = 1; p <= 5; ++p) {
        QCOMPARE(bar.panel(p)->width(), widths[p - 1]);
        QVERIFY(!bar.panel(p)->accessibleName().isEmpty());
    }
    QCOMPARE(bar.panel(1)->text(), QStringLiteral("08/12/2026"));
    QCOMPARE(bar.panel(2)->text(), QStringLiteral("09:05"));
    QCOMPARE(bar.panel(3)->text(), QStringLiteral("NUM"));
    QCOMPARE(bar.panel(4)->text(), QStringLiteral("MAYÚS"));
    QCOMPARE(bar.panel(5)->text(), QStringLiteral("DESPL"));
    QCOMPARE((QList<bool>{bar.panelLit(3), bar.panelLit(4), bar.panelLit(5)}), (QList<bool>{true, false, true}));
    // What a screen reader speaks, through the real accessibility interface.
    const QStringList spoken = {QStringLiteral("Fecha 08/12/2026"), QStringLiteral("Hora 09:05"),
                                QStringLiteral("Bloq Num activado"), QStringLiteral("Bloq Mayús desactivado"),
                                QStringLiteral("Bloq Despl activado")};
    for (int p = 1; p <= 5; ++p) {
        QAccessibleInterface *panel = QAccessible::queryAccessibleInterface(bar.panel(p));
        QVERIFY(panel);
        QCOMPARE(panel->text(QAccessible::Name), spoken[p - 1]);
    }

    // Where the platform cannot tell, every key is greyed out.
    StatusBarPanels unknown(std::make_unique<FakeLockKeys>(std::nullopt));
    QVERIFY(!unknown.panelLit(3) && !unknown.panelLit(4) && !unknown.panelLit(5));
    QCOMPARE(QAccessible::queryAccessibleInterface(unknown.panel(4))->text(QAccessible::Name),
             QStringLiteral("Bloq Mayús estado desconocido"));
    // The panels keep themselves current.
    int ticks = 0;
    unknown.setClock([&ticks] {
        ++ticks;
        return QDateTime::currentDateTime();
    });
    QTRY_VERIFY(ticks >= 3);
}

void TestFrmPrincipal::exitQuestionNoKeepsEverything()
{
    showOpenedTable(*w, tableOf(5));
    QSignalSpy ended(w.get(), &frmPrincipal::exitConfirmed);
    const CommandState before = stateOf(*w);

    auto seen = answerMessageBox(QMessageBox::No);
    w->MNU_SALIR->trigger();
    QVERIFY(seen->seen);
    QCOMPARE(seen->title, Titulo());
    QCOMPARE(seen->text, QStringLiteral("¿Està seguro Que Desea Salir?"));
    QCOMPARE(seen->icon, QMessageBox::Question);
    QVERIFY(seen->hasIconPixmap);
    QCOMPARE(seen->buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(seen->buttonTexts, (QStringList{QStringLiteral("&No"), QStringLiteral("&Sí")}));
    QVERIFY(w->isVisible());
    QCOMPARE(ended.count(), 0);
    QCOMPARE(stateOf(*w), before);
    QCOMPARE(w->model()->rowCount(), 5);
}

void TestFrmPrincipal::exitQuestionYesEndsTheProgram_data()
{
    QTest::addColumn<CloseBy>("how");
    QTest::addColumn<bool>("generationDialogOpen");
    QTest::newRow("menu Salir") << CloseBy::Menu << false;
    QTest::newRow("Ctrl+X") << CloseBy::Shortcut << false;
    QTest::newRow("close request from the system") << CloseBy::CloseRequest << false;
    QTest::newRow("with the generation dialog open") << CloseBy::CloseRequest << true;
}

void TestFrmPrincipal::exitQuestionYesEndsTheProgram()
{
    QFETCH(CloseBy, how);
    QFETCH(bool, generationDialogOpen);
    QSignalSpy ended(w.get(), &frmPrincipal::exitConfirmed);
    if (generationDialogOpen) {
        w->MNU_GENERAR->trigger();
        QVERIFY(w->generationDialog() && w->generationDialog()->isVisible());
    }
    auto seen = answerMessageBox(QMessageBox::Yes);
    switch (how) {
    case CloseBy::Menu:
        w->MNU_SALIR->trigger();
        break;
    case CloseBy::Shortcut:
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QTest::keyClick(w.get(), Qt::Key_X, Qt::ControlModifier);
        break;
    default:
        w->windowHandle()->close(); // as the window manager asks
    }
    QTRY_VERIFY(seen->seen);
    QCOMPARE(seen->text, QStringLiteral("¿Està seguro Que Desea Salir?"));
    QCOMPARE(ended.count(), 1);
    QVERIFY(!w->isVisible());
}

void TestFrmPrincipal::clearAskedAndAnswered()
{
    showOpenedTable(*w, tableOf(300), false);

    auto no = answerMessageBox(QMessageBox::No);
    w->MNU_BORRAR->trigger();
    QCOMPARE(no->title, Titulo());
    QCOMPARE(no->text, QStringLiteral("¿Está Seguro que Desea Borrar La Tabla?"));
    QCOMPARE(no->icon, QMessageBox::Question);
    QCOMPARE(no->buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(stateOf(*w), (CommandState{true, true, true, false}));
    QCOMPARE(w->model()->rowCount(), 300);

    auto yes = answerMessageBox(QMessageBox::Yes);
    w->MNU_BORRAR->trigger();
    QVERIFY(yes->seen);
    QCOMPARE(stateOf(*w), (CommandState{false, false, false, true}));
    QCOMPARE(w->model()->table().rowCount(), 2);
    for (int c = 1; c <= 14; ++c)
        QVERIFY(shownCell(*w, 1, c).isEmpty());
    for (int c = 0; c < 15; ++c)
        QCOMPARE(QString::fromLatin1(shownCell(*w, 0, c)), headerTexts()[size_t(c)]);

    // A table with no rows at all (an empty file) clears to the empty table too.
    ExperienceTable none;
    none.setRowCount(1);
    showOpenedTable(*w, std::move(none));
    auto again = answerMessageBox(QMessageBox::Yes);
    w->MNU_BORRAR->trigger();
    QCOMPARE(w->model()->table().rowCount(), 2);
}

void TestFrmPrincipal::gridHeaderAndColumnWidths()
{
    Cuadricula *grid = w->grid();
    QHeaderView *header = grid->horizontalHeader();
    QCOMPARE(header->count(), 14);
    for (int c = 0; c < 14; ++c) {
        const QString piece = headerTexts()[size_t(c + 1)];
        QCOMPARE(grid->model()->headerData(c, Qt::Horizontal).toString(), piece);
        QCOMPARE(header->sectionSize(c), grid->headerPieceWidth(piece));
        QCOMPARE(header->sectionResizeMode(c), QHeaderView::Fixed);
    }
    // The runs of spaces widen their columns.
    QVERIFY(header->sectionSize(1) > grid->headerPieceWidth(QStringLiteral("Base 1")) + 20);
    QVERIFY(header->sectionSize(1) > header->sectionSize(7)); // " Job 1  ..." vs " Nob Job    "
    QCOMPARE(grid->cornerText(), QStringLiteral("Sig Nivel"));
    QVERIFY(grid->verticalHeader()->minimumWidth() >= grid->headerPieceWidth(QStringLiteral("Sig Nivel")));
    QCOMPARE(grid->style()->styleHint(QStyle::SH_Table_GridLineColor, nullptr, grid), int(qRgb(0xc0, 0xc0, 0xc0)));

    // Widths survive every change of the table.
    w->model()->replaceTable(tableOf(3));
    QCOMPARE(header->sectionSize(13), grid->headerPieceWidth(headerTexts()[14]));
    QCOMPARE(grid->model()->headerData(2, Qt::Vertical).toString(), QStringLiteral("4"));

    // Cells in the base colour, below the last row the button face; each
    // value cell says it can be edited (a screen reader tells so).
    showOpenedTable(*w, tableOf(3));
    QVERIFY(grid->model()->flags(grid->model()->index(2, 13)).testFlag(Qt::ItemIsEditable));
    const QImage shot = grid->viewport()->grab().toImage();
    const int x = grid->columnViewportPosition(0) + header->sectionSize(0) - 3;
    QCOMPARE(shot.pixelColor(x, grid->rowViewportPosition(2) + 2),
             grid->palette().color(QPalette::Active, QPalette::Base));
    QCOMPARE(shot.pixelColor(x, grid->rowViewportPosition(2) + grid->rowHeight(2) + 4),
             grid->palette().color(QPalette::Button));
}

void TestFrmPrincipal::labelColumnTakesNoSelection()
{
    w->model()->replaceTable(tableOf(10));
    Cuadricula *grid = w->grid();
    grid->show();
    grid->setCurrentIndex(grid->model()->index(2, 3));
    const QModelIndexList before = grid->selectionModel()->selectedIndexes();
    QHeaderView *labels = grid->verticalHeader();
    QTest::mouseClick(labels->viewport(), Qt::LeftButton, {}, QPoint(5, labels->sectionViewportPosition(5) + 3));
    QCOMPARE(grid->selectionModel()->selectedIndexes(), before);
    QCOMPARE(grid->currentIndex(), grid->model()->index(2, 3));
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Home);
    QCOMPARE(grid->currentIndex().column(), 0); // the first value column: labels cannot be current
}

void TestFrmPrincipal::cellEditingByKeys()
{
    w->model()->replaceTable(tableOf(10));
    Cuadricula *grid = w->grid();
    grid->show();
    grid->setFocus();
    const QModelIndex cell = grid->model()->index(4, 1); // row 5, column 2: empty
    grid->setCurrentIndex(cell);
    auto text = [&] { return QString::fromLatin1(shownCell(*w, 5, 2)); };

    QTest::keyClicks(grid, QStringLiteral("123"));
    QCOMPARE(text(), QStringLiteral("123"));
    QTest::keyClick(grid, Qt::Key_4);
    QCOMPARE(text(), QStringLiteral("1234"));
    QTest::keyClicks(grid, QStringLiteral("a- ,.Z"));
    QTest::keyClick(grid, Qt::Key_Escape);
    QCOMPARE(text(), QStringLiteral("1234"));
    QCOMPARE(grid->currentIndex(), cell);
    QTest::keyClick(grid, Qt::Key_Backspace);
    QCOMPARE(text(), QStringLiteral("123"));
    QTest::keyClick(grid, Qt::Key_Return);
    QTest::keyClick(grid, Qt::Key_Enter);
    QTest::keyClick(grid, Qt::Key_Delete);
    QTest::keyClick(grid, Qt::Key_F2);
    QCOMPARE(text(), QStringLiteral("123"));
    QCOMPARE(grid->currentIndex(), cell);
    // A full-width digit looks like one but is not.
    QTest::sendKeyEvent(QTest::Click, grid, Qt::Key_unknown, QString(QChar(0xFF11)), {});
    QCOMPARE(text(), QStringLiteral("123"));

    // A digit is not a keyboard search: "9" does not jump to the row of 90.
    QTest::keyClick(grid, Qt::Key_9);
    QCOMPARE(grid->currentIndex(), cell);
    QCOMPARE(text(), QStringLiteral("1239"));

    // Arrows move the current cell; backspace empties, then does nothing.
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(grid->currentIndex(), grid->model()->index(5, 1));
    QTest::keyClicks(grid, QStringLiteral("007"));
    QCOMPARE(shownCell(*w, 6, 2), QByteArray("007"));
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(grid, Qt::Key_Backspace);
    QCOMPARE(shownCell(*w, 6, 2), QByteArray());
    // No length limit.
    QTest::keyClicks(grid, QString(40, QLatin1Char('8')));
    QCOMPARE(shownCell(*w, 6, 2), QByteArray(40, '8'));
    // Other cells are untouched, and a non-digit text keeps its bytes when edited.
    QCOMPARE(shownCell(*w, 5, 1), QByteArray("50"));
    QCOMPARE(shownCell(*w, 5, 3), QByteArray("5"));

    // The model takes a cell's text through setData, never a comma or a line
    // end (they would cut the row in two on saving), nor a character past Latin-1.
    const QModelIndex edited = grid->model()->index(5, 1);
    for (const QString &bad : {QStringLiteral("1,2"), QStringLiteral("3\r\n4"), QStringLiteral("\u20ac")})
        QVERIFY(!grid->model()->setData(edited, bad, Qt::EditRole));
    QVERIFY(!grid->model()->setData(edited, QStringLiteral("9"), Qt::DisplayRole));
    QCOMPARE(shownCell(*w, 6, 2), QByteArray(40, '8'));
    QVERIFY(grid->model()->setData(edited, QStringLiteral("12"), Qt::EditRole));
    QCOMPARE(grid->model()->data(edited, Qt::EditRole).toString(), QStringLiteral("12"));
}

void TestFrmPrincipal::copyAndCutShortcutsRunTheirCommands()
{
    showOpenedTable(*w, tableOf(10));
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    w->grid()->setFocus();
    w->grid()->setCurrentIndex(w->grid()->model()->index(0, 0));
    QGuiApplication::clipboard()->setText(QStringLiteral("sin tocar"));

    bool aboutOpened = false;
    bool mainBlocked = false;
    whenModal<frmAbout>([&](frmAbout *about) {
        aboutOpened = true;
        mainBlocked =
            QApplication::activeModalWidget() == about && about->isModal() && about->parentWidget() == w.get();
        about->cmdOK->click();
    });
    QTest::keyClick(w->grid(), Qt::Key_C, Qt::ControlModifier);
    QTRY_VERIFY(aboutOpened);
    QVERIFY(mainBlocked);

    auto seen = answerMessageBox(QMessageBox::No);
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    w->grid()->setFocus();
    QTest::keyClick(w->grid(), Qt::Key_X, Qt::ControlModifier);
    QTRY_VERIFY(seen->seen);
    QCOMPARE(seen->text, QStringLiteral("¿Està seguro Que Desea Salir?"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("sin tocar"));
    QCOMPARE(shownCell(*w, 1, 1), QByteArray("10"));
}

void TestFrmPrincipal::aMillionRowsAreOneReset()
{
    ExperienceTable big;
    big.setRowCount(1);
    for (int r = 1; r <= 1000000; ++r)
        big.appendRow(r + 1, "1234567890,2,3,4,5,6,7,8,9,10,11,12,13,14");
    QSignalSpy resets(w->model(), &QAbstractItemModel::modelReset);
    QSignalSpy inserted(w->model(), &QAbstractItemModel::rowsInserted);
    w->model()->replaceTable(std::move(big));
    w->applyTableEvent(TableEvent::Read);
    QCOMPARE(resets.count(), 1);
    QCOMPARE(inserted.count(), 0);
    QCOMPARE(w->grid()->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    w->grid()->scrollToBottom();
    QCOMPARE(w->grid()->model()->headerData(999999, Qt::Vertical).toString(), QStringLiteral("1000001"));
    QCOMPARE(w->grid()->model()->data(w->grid()->model()->index(999999, 0)).toString(), QStringLiteral("1234567890"));
}

QTEST_MAIN(TestFrmPrincipal)
#include "tst_frm_principal.moc"
