// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "gui_helpers.h"
#include "main_window_fixture.h"
#include "parameter_values.h"

#include "core/titulo.h"
#include "generation/core/parametros.h"
#include "generation/frm_generar.h"
#include "shell/frm_principal.h"
#include "table/cuadricula.h"
#include "table/experience_table_model.h"
#include "widgets/appearance.h"

#include <QClipboard>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

const char *const kBoxes[20] = {"TxtNobBase", "TxtNobJob",   "TxtFBase",    "TxtFJob",        "TxtSBase",
                                "TxtSJob",    "TxtSupBase",  "TxtSupJob",   "TxtNHigBase",    "TxtNHigJob",
                                "TxtFrABase", "TxtFrAJob",   "TxtSegABase", "TxtSegAJob",     "TxtMultExp",
                                "TxtMultJob", "TxtNextBase", "TxtNextJob",  "TxtIncNextBase", "TxtIncNextJob"};

QRect twips(int l, int t, int w, int h)
{
    return QRect(l / 15, t / 15, w / 15, h / 15);
}

} // namespace

class TestFrmGenerar : public MainWindowTest
{
    Q_OBJECT

protected:
    void prepareTestCase() override
    {
        // The run under GTK3's platform theme must really have it: without the
        // plugin Qt falls back to its own theme silently. GTK3 names its icons
        // after the desktop's icon theme, Qt's own theme "hicolor".
        if (qEnvironmentVariable("QT_QPA_PLATFORMTHEME") == QStringLiteral("gtk3"))
            QVERIFY2(QIcon::themeName() != QStringLiteral("hicolor"), "the GTK3 platform theme did not load");
    }
    void beforeEachTest() override { ValoresPorDefecto(programParameters()); }

private slots:

    void opensWithTheDefaultsAndTheFocusInNobBase();
    void layoutFramesLabelsBoxesButtons();
    void tabOrder();
    void keyFilterAndMaximumLengths();
    void acceptGeneratesAndSwitchesTheMenus();
    void acceptedTableSavesAsTheCompanionToolWrites();
    void largestLevelCountsForEveryColumn();
    void allLevelsZero();
    void cancelByButtonEscapeAndCloseBox_data();
    void cancelByButtonEscapeAndCloseBox();
    void reopeningShowsTheDefaultsAndFrontKeepsTyping();
    void badBoxIsNamedAndNothingChanges_data();
    void badBoxIsNamedAndNothingChanges();
    void overflowKeepsTheGridAndMenus();
    void generatesAfterAnEmptyFile();
    void acceptStepTakesWhatTheCompanionToolTakes_data() { addParameterValueRows(); }
    void acceptStepTakesWhatTheCompanionToolTakes();

private:
    frmGenerar *open();
};

frmGenerar *TestFrmGenerar::open()
{
    w->MNU_GENERAR->trigger();
    frmGenerar *dialog = w->generationDialog();
    if (dialog && !makeActive(dialog))
        qWarning("the dialog did not become active");
    return dialog;
}

void TestFrmGenerar::opensWithTheDefaultsAndTheFocusInNobBase()
{
    programParameters().MultExp = 55; // the load step resets the store
    frmGenerar *d = open();
    QVERIFY(d);
    // The defaults themselves are pinned by the generator's tests.
    Parametros defaults;
    ValoresPorDefecto(defaults);
    for (int i = 0; i < 20; ++i) {
        auto *box = d->findChild<QLineEdit *>(QLatin1String(kBoxes[i]));
        QVERIFY2(box, kBoxes[i]);
        QCOMPARE(box->text(), QString::number(parameterFields()[size_t(i)].field(defaults)));
    }
    QVERIFY(programParameters() == defaults);
    QCOMPARE(QApplication::focusWidget(), d->boxNamed("NobBase"));
    QCOMPARE(d->windowTitle(), QStringLiteral("Generar Tabla de Experiencia"));
    QVERIFY(!d->isModal());
    QCOMPARE(d->parentWidget(), w.get());
    QVERIFY(!(d->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(d->windowFlags() & Qt::WindowCloseButtonHint);
    // The main window stays usable: its menus still answer.
    QVERIFY(w->isEnabled() && w->MNU_ABRIR->isEnabled());
    QVERIFY(QApplication::activeModalWidget() == nullptr);

    // Accessible names say which box is which.
    QCOMPARE(d->boxNamed("NobBase")->accessibleName(), QStringLiteral("Novice Base"));
    QCOMPARE(d->boxNamed("SegAJob")->accessibleName(), QStringLiteral("2º Job Adv Job"));
    QCOMPARE(d->boxNamed("NextJob")->accessibleName(),
             QStringLiteral("Datos de La Formula Intervalo de Incremento de JExp"));
    QSet<QString> names;
    for (QLineEdit *box : d->boxes())
        names.insert(box->accessibleName());
    QCOMPARE(names.size(), 20);
}

void TestFrmGenerar::layoutFramesLabelsBoxesButtons()
{
    frmGenerar *d = open();
    QCOMPARE(d->size(), QSize(585, 352));
    QCOMPARE(d->minimumSize(), d->maximumSize());
    const QPoint centre = d->frameGeometry().center() - w->frameGeometry().center();
    QVERIFY(std::abs(centre.x()) <= 2 && std::abs(centre.y()) <= 2);

    const char *captions[8] = {"Novice",      "1º Job",     "2º Job",     "Super Novice",
                               "Novice High", "1º Job Adv", "2º Job Adv", "Datos de La Formula"};
    struct Formula
    {
        const char *box;
        int top;
        const char *label;
        int labelLeft;
    };
    const Formula formula[6] = {
        {"MultExp", 240, "Multiplicador de Exp :", 120},   {"NextBase", 240, "Intervalo de Incremento :", 4320},
        {"MultJob", 720, "Multiplicador de JExp :", 120},  {"NextJob", 720, "Intervalo de Incremento :", 4320},
        {"IncNextBase", 1200, "Incremento de Exp :", 120}, {"IncNextJob", 1200, "Incremento de JExp", 4320}};
    // The dialog's one geometry table (in twips, as the dialog is laid out):
    // the frames, the twenty boxes and the two buttons.
    const QPoint places[7] = {{120, 120},  {2280, 120},  {4440, 120}, {6600, 120},
                              {120, 1440}, {2280, 1440}, {4440, 1440}};
    const QByteArray frameNames[8] = {"Frame1", "Frame2", "Frame3", "Frame4", "Frame5", "Frame6", "Frame7", "Frame8"};
    QList<Placement> table;
    for (int f = 0; f < 7; ++f)
        table << Placement{frameNames[f].constData(), twips(places[f].x(), places[f].y(), 2055, 1215)}
              << Placement{kBoxes[2 * f], twips(840, 240, 975, 375)}
              << Placement{kBoxes[2 * f + 1], twips(840, 720, 975, 375)};
    table << Placement{"Frame8", twips(120, 2760, 8535, 1815)};
    const QByteArray formulaBoxes[6] = {"TxtMultExp", "TxtNextBase",    "TxtMultJob",
                                        "TxtNextJob", "TxtIncNextBase", "TxtIncNextJob"};
    for (int i = 0; i < 6; ++i) // left column's boxes at 2520 twips, right column's at 7320
        table << Placement{formulaBoxes[i].constData(),
                           twips(formula[i].labelLeft == 120 ? 2520 : 7320, formula[i].top, 975, 375)};
    table << Placement{"cmdAceptar", twips(5880, 4680, 1335, 495)}
          << Placement{"cmdCancelar", twips(7320, 4680, 1335, 495)};
    const QString faults = placementFaults(*d, table);
    QVERIFY2(faults.isEmpty(), qPrintable(faults));

    for (int f = 0; f < 8; ++f) {
        auto *frame = d->findChild<QGroupBox *>(QStringLiteral("Frame%1").arg(f + 1));
        QVERIFY(frame);
        QCOMPARE(frame->title(), QString::fromUtf8(captions[f]));
        QVERIFY(frame->font().bold());
        QCOMPARE(frame->font().pointSize(), 12);
        QVERIFY(frame->font().families().contains(QStringLiteral("Times New Roman")));
        if (f < 7) {
            QCOMPARE(d->boxes()[size_t(2 * f)]->parentWidget(), frame);
            const QList<QLabel *> labels = frame->findChildren<QLabel *>();
            QCOMPARE(labels.size(), 2);
            QCOMPARE(labels[0]->text(), QStringLiteral("Base :"));
            QCOMPARE(labels[0]->pos(), twips(120, 360, 0, 0).topLeft());
            QCOMPARE(labels[1]->text(), QStringLiteral("Job :"));
            QCOMPARE(labels[1]->pos(), twips(120, 840, 0, 0).topLeft());
            QVERIFY(labels[0]->font().bold());
        }
    }
    for (int i = 0; i < 6; ++i) {
        const Formula &f = formula[i];
        QLineEdit *box = d->boxNamed(f.box);
        QLabel *label = box->parentWidget()->findChildren<QLabel *>().at(i);
        QCOMPARE(label->text(), QString::fromUtf8(f.label));
        QCOMPARE(label->pos(), twips(f.labelLeft, f.top + 120, 0, 0).topLeft());
        QCOMPARE(label->height(), 285 / 15);
        QVERIFY(label->geometry().right() < box->geometry().left()); // never under its box
        QCOMPARE(label->buddy(), box);
        QVERIFY(!box->font().bold());
        QCOMPARE(box->font().pointSize(), 12);
    }
    QCOMPARE(d->cmdAceptar->text(), QStringLiteral("&Aceptar"));
    QVERIFY(d->cmdAceptar->isDefault());
    QCOMPARE(d->cmdCancelar->text(), QStringLiteral("&Cancelar"));
}

void TestFrmGenerar::tabOrder()
{
    frmGenerar *d = open();
    QStringList order;
    QWidget *at = d->boxNamed("NobBase");
    for (int i = 0; i < 22; ++i) {
        order << at->objectName();
        at = at->nextInFocusChain();
        while (!(at->focusPolicy() & Qt::TabFocus))
            at = at->nextInFocusChain();
    }
    QStringList expected;
    for (const char *box : kBoxes)
        expected << QLatin1String(box);
    expected << QStringLiteral("cmdCancelar") << QStringLiteral("cmdAceptar");
    QCOMPARE(order, expected);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), d->boxNamed("NobJob"));
}

void TestFrmGenerar::keyFilterAndMaximumLengths()
{
    frmGenerar *d = open();
    QLineEdit *level = d->boxNamed("FJob");
    level->setFocus();
    level->clear();
    QTest::keyClicks(level, QStringLiteral("a-1 .,2x"));
    QCOMPARE(level->text(), QStringLiteral("12"));
    QTest::keyClick(level, Qt::Key_Backspace);
    QCOMPARE(level->text(), QStringLiteral("1"));
    QTest::keyClicks(level, QStringLiteral("23456"));
    QCOMPARE(level->text(), QStringLiteral("1234"));
    QTest::sendKeyEvent(QTest::Click, level, Qt::Key_unknown, QString(QChar(0xFF15)), {}); // full-width 5
    QCOMPARE(level->text(), QStringLiteral("1234"));
    // Alt+letter that is no access key, and AltGr's characters, type nothing.
    level->clear();
    QTest::keyClick(level, Qt::Key_Z, Qt::AltModifier);
    QTest::keyClick(level, Qt::Key_Q, Qt::AltModifier | Qt::ShiftModifier);
    QTest::sendKeyEvent(QTest::Click, level, Qt::Key_At, QStringLiteral("@"), Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(level->text(), QString());
    QTest::keyClick(level, Qt::Key_7, Qt::AltModifier); // still a digit
    QCOMPARE(level->text(), QStringLiteral("7"));

    QLineEdit *mult = d->boxNamed("MultJob");
    QCOMPARE(mult->maxLength(), 2);
    QLineEdit *inc = d->boxNamed("IncNextBase");
    QCOMPARE(inc->maxLength(), 1);
    for (int i = 0; i < 14; ++i)
        QCOMPARE(d->boxes()[size_t(i)]->maxLength(), 4);

    // Pasting is not filtered, but the maximum length holds for it too.
    mult->setFocus();
    mult->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("-12345"));
    QTest::keyClick(mult, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(mult->text(), QStringLiteral("-1"));
}

void TestFrmGenerar::acceptGeneratesAndSwitchesTheMenus()
{
    QPointer<frmGenerar> d = open();
    QTest::keyClick(d->boxNamed("NobBase"), Qt::Key_Return); // Enter presses "&Aceptar"
    QTRY_VERIFY(d.isNull());
    QVERIFY(w->grid()->isVisible());
    QVERIFY(w->MNU_GUARDAR->isEnabled());
    QVERIFY(w->MNU_BORRAR->isEnabled());
    QVERIFY(!w->MNU_GENERAR->isEnabled());
    QCOMPARE(w->model()->table().rowCount(), 100);
    QCOMPARE(shownCell(*w, 98, 14), QByteArray("104439"));
    QCOMPARE(shownCell(*w, 99, 1), QByteArray("0"));
    Parametros defaults;
    ValoresPorDefecto(defaults);
    QVERIFY(programParameters() == defaults);
}

void TestFrmGenerar::acceptedTableSavesAsTheCompanionToolWrites()
{
#if defined(Q_OS_WIN)
    QSKIP("Under Wine the end-to-end run saves through Windows' own dialog and compares the bytes");
#endif
    frmGenerar *d = open();
    d->boxNamed("MultExp")->setText(QStringLiteral("12"));
    d->cmdAceptar->click();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Exp.txt"));
    answerFileDialog(path);
    w->MNU_GUARDAR->trigger();
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));

    // The companion tool, given the same parameter, writes the same bytes.
    QProcess tool;
    tool.start(qEnvironmentVariable("VEXP_CLI"),
               {QStringLiteral("generar"), QStringLiteral("--MultExp"), QStringLiteral("12")});
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 0);
    const QByteArray expected = tool.readAllStandardOutput();
    QVERIFY(expected.startsWith(savedComment()));
    QCOMPARE(saved.readAll(), expected);
    // Generated and saved: nothing but opening is left.
    QVERIFY(!w->grid()->isVisible());
    QVERIFY(!w->MNU_GUARDAR->isEnabled() && !w->MNU_BORRAR->isEnabled() && !w->MNU_GENERAR->isEnabled());
}

void TestFrmGenerar::largestLevelCountsForEveryColumn()
{
    frmGenerar *d = open();
    d->boxNamed("NobJob")->setText(QStringLiteral("120"));
    d->cmdAceptar->click();
    QCOMPARE(w->model()->table().rowCount(), 121);
    for (int c = 1; c <= 14; ++c) {
        QVERIFY(!shownCell(*w, 119, c).isEmpty());
        QCOMPARE(shownCell(*w, 120, c), QByteArray("0"));
    }
    QCOMPARE(programParameters().NivelesMax[2], int16_t(120));
}

void TestFrmGenerar::allLevelsZero()
{
    frmGenerar *d = open();
    for (int i = 0; i < 14; ++i)
        d->boxes()[size_t(i)]->setText(QStringLiteral("0"));
    d->cmdAceptar->click();
    QCOMPARE(w->model()->table().rowCount(), 3);
    QCOMPARE(shownCell(*w, 1, 10), QByteArray("5"));
    QCOMPARE(shownCell(*w, 2, 0), QByteArray("2"));
}

void TestFrmGenerar::cancelByButtonEscapeAndCloseBox_data()
{
    QTest::addColumn<CloseBy>("how");
    QTest::newRow("Cancelar") << CloseBy::Button;
    QTest::newRow("Escape") << CloseBy::Escape;
    QTest::newRow("close box") << CloseBy::CloseRequest;
}

void TestFrmGenerar::cancelByButtonEscapeAndCloseBox()
{
    QFETCH(CloseBy, how);
    QPointer<frmGenerar> d = open();
    d->boxNamed("NobBase")->setText(QStringLiteral("300"));
    switch (how) {
    case CloseBy::Button:
        d->cmdCancelar->click();
        break;
    case CloseBy::Escape:
        QTest::keyClick(d->boxNamed("NobBase"), Qt::Key_Escape);
        break;
    default:
        d->windowHandle()->close();
    }
    QTRY_VERIFY(d.isNull());
    QVERIFY(!w->grid()->isVisible());
    QVERIFY(!w->MNU_GUARDAR->isEnabled() && !w->MNU_BORRAR->isEnabled() && w->MNU_GENERAR->isEnabled());
    QCOMPARE(w->model()->table().rowCount(), 2);
    QCOMPARE(programParameters().NivelesMax[1], int16_t(99));
}

void TestFrmGenerar::reopeningShowsTheDefaultsAndFrontKeepsTyping()
{
    frmGenerar *d = open();
    d->boxNamed("MultJob")->setText(QStringLiteral("3"));
    QVERIFY(makeActive(w.get()));
    frmGenerar *again = open(); // already open: brought to the front as it is
    QCOMPARE(again, d);
    QCOMPARE(again->boxNamed("MultJob")->text(), QStringLiteral("3"));
    QCOMPARE(QApplication::activeWindow(), again);

    again->cmdAceptar->click();
    QCOMPARE(programParameters().MultJob, int16_t(3));
    auto yes = answerMessageBox(QMessageBox::Yes);
    w->MNU_BORRAR->trigger(); // enables "&Generar Tabla" again
    frmGenerar *fresh = open();
    QCOMPARE(fresh->boxNamed("MultJob")->text(), QStringLiteral("8"));
    QCOMPARE(programParameters().MultJob, int16_t(8));
}

void TestFrmGenerar::badBoxIsNamedAndNothingChanges_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty level box") << QStringLiteral("SBase") << QString();
    QTest::newRow("pasted letters") << QStringLiteral("MultExp") << QStringLiteral("x1");
    QTest::newRow("pasted sign alone") << QStringLiteral("IncNextJob") << QStringLiteral("-");
}

void TestFrmGenerar::badBoxIsNamedAndNothingChanges()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    QPointer<frmGenerar> d = open();
    d->boxNamed(box.toLatin1().constData())->setText(text);
    d->boxNamed("NobJob")->setText(QString()); // reported only if checked first: it is a Job box, after SBase
    auto seen = answerMessageBox(QMessageBox::Ok);
    d->cmdAceptar->click();
    QVERIFY(seen->seen);
    QCOMPARE(seen->title, Titulo());
    QCOMPARE(seen->icon, QMessageBox::Critical);
    const QString first = box == QStringLiteral("SBase") ? QStringLiteral("2º Job Base") : QStringLiteral("Novice Job");
    QVERIFY2(seen->text.contains(first), qPrintable(seen->text));
    QVERIFY(d && d->isVisible());
    QCOMPARE(d->focusWidget(), d->boxNamed(box == QStringLiteral("SBase") ? "SBase" : "NobJob"));
    QVERIFY(!w->grid()->isVisible());
    QVERIFY(w->MNU_GENERAR->isEnabled() && !w->MNU_GUARDAR->isEnabled());
}

void TestFrmGenerar::overflowKeepsTheGridAndMenus()
{
    // A table already shown, then a generation that overflows.
    showOpenedTable(*w, tableOfRows({"5,6"}));

    QPointer<frmGenerar> d = open();
    d->boxNamed("NobBase")->setText(QStringLiteral("9999")); // defaults leave the double range near level 7400
    auto seen = answerMessageBox(QMessageBox::Ok);
    d->cmdAceptar->click();
    QVERIFY(seen->seen);
    QCOMPARE(seen->title, Titulo());
    QVERIFY2(seen->text.contains(QStringLiteral("en el nivel")), qPrintable(seen->text));
    QVERIFY2(seen->text.endsWith(QStringLiteral(". La tabla anterior se ha conservado.")), qPrintable(seen->text));
    QCOMPARE(w->model()->table().rowCount(), 2);
    QCOMPARE(shownCell(*w, 1, 2), QByteArray("6"));
    QVERIFY(w->grid()->isVisible());
    QVERIFY(w->MNU_GUARDAR->isEnabled() && w->MNU_BORRAR->isEnabled() && w->MNU_GENERAR->isEnabled());
    QVERIFY(d);
    Parametros defaults; // the program keeps the parameters it had, not those refused
    ValoresPorDefecto(defaults);
    QVERIFY(programParameters() == defaults);
}

void TestFrmGenerar::generatesAfterAnEmptyFile()
{
    ExperienceTable none;
    none.setRowCount(1);
    w->model()->replaceTable(std::move(none));
    frmGenerar *d = open();
    d->cmdAceptar->click();
    QCOMPARE(w->model()->table().rowCount(), 100);
    QCOMPARE(shownCell(*w, 1, 14), QByteArray("60"));
}

void TestFrmGenerar::acceptStepTakesWhatTheCompanionToolTakes()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(int, value);
    Parametros store;
    frmGenerar dialog(store, nullptr);
    dialog.show();
    QSignalSpy handedBack(&dialog, &frmGenerar::parametersAccepted);
    QLineEdit *box = dialog.boxNamed("MultJob");
    box->setMaxLength(32767); // the parser is under test here, not the box's length
    box->setText(text);
    std::shared_ptr<MessageBoxSeen> refusal;
    if (!accepted)
        refusal = answerMessageBox(QMessageBox::Ok);
    dialog.cmdAceptar->click();
    QCOMPARE(handedBack.count(), accepted ? 1 : 0);
    if (accepted) {
        QCOMPARE(int(handedBack.at(0).at(0).value<Parametros>().MultJob), value);
    } else {
        QVERIFY(refusal->seen);
        QCOMPARE(refusal->text, parameterValueError(QStringLiteral("Datos de La Formula Multiplicador de JExp")));
        QVERIFY(dialog.isVisible());
    }
}

QTEST_MAIN(TestFrmGenerar)
#include "tst_frm_generar.moc"
