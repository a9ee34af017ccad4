// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// Putting the main window into a known state without going through a dialog.

#include "test_files.h"

#include "shell/frm_principal.h"
#include "table/cuadricula.h"
#include "table/experience_table_model.h"
#include "widgets/appearance.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QTest>

#include <memory>

// Shows `table` in the grid, as after opening a file: saving and clearing
// enabled; "&Generar Tabla" enabled, or disabled as after a generation when
// `generating` is false.
inline void showOpenedTable(frmPrincipal &w, ExperienceTable table, bool generating = true)
{
    w.model()->replaceTable(std::move(table));
    w.applyTableEvent(generating ? TableEvent::Read : TableEvent::Generated);
}

// A cell of the grid as the view shows it, by table row and column: row 0
// is the header row (its first piece the corner's), column 0 the level
// labels; the text as the Latin-1 bytes of the table.
inline QByteArray shownCell(const frmPrincipal &w, int32_t row, int column)
{
    const ExperienceTableModel &model = *w.model();
    const QVariant shown = row == 0 && column == 0 ? w.grid()->cornerText()
                           : row == 0              ? model.headerData(column - 1, Qt::Horizontal)
                           : column == 0           ? model.headerData(row - 1, Qt::Vertical)
                                                   : model.data(model.index(row - 1, column - 1));
    return shown.toString().toLatin1();
}

// A main window, shown, whose grid model is checked for the item-model rules
// after every change the test makes through the real commands.
inline std::unique_ptr<frmPrincipal> shownMainWindow()
{
    auto w = std::make_unique<frmPrincipal>();
    new QAbstractItemModelTester(w->model(), QAbstractItemModelTester::FailureReportingMode::QtTest, w.get());
    w->show();
    return w;
}

// The fixture every window test starts from: the application prepared as
// the program prepares it, once; a main window, shown, for each test
// function. A test adds its own steps through the three hooks.
class MainWindowTest : public QObject
{
    Q_OBJECT

protected:
    std::unique_ptr<frmPrincipal> w;
    PrivateCacheHome cache; // Guardar's backups

    virtual void prepareTestCase() {}
    virtual void beforeEachTest() {}
    virtual void afterEachTest() {}

private slots:
    void initTestCase()
    {
        prepareApplication(*qobject_cast<QApplication *>(QCoreApplication::instance()));
        prepareTestCase();
    }
    void init()
    {
        beforeEachTest();
        w = shownMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    void cleanup()
    {
        afterEachTest();
        w.reset();
    }
};
