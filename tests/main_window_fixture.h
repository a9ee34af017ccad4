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
// `generar` is false.
inline void showOpenedTable(frmPrincipal &w, ExperienceTable table, bool generar = true)
{
    w.model()->replaceTable(table);
    w.applyTableEvent(generar ? TableEvent::Read : TableEvent::Generated);
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
