// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "gui_helpers.h"
#include "main_window_fixture.h"
#include "tests/about/memory_registry.h"

#include "about/frm_about.h"
#include "core/titulo.h"
#include "shell/frm_principal.h"
#include "widgets/appearance.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>

namespace {

// Records what the window asks of the platform.
class RecordingPlatform : public AboutPlatform
{
public:
    struct Log
    {
        std::vector<std::string> mails;
        std::vector<std::string> started;
        int messages = 0;
    };
    explicit RecordingPlatform(std::shared_ptr<Log> log) : log_(std::move(log)) {}
    bool fileExists(const std::string &) override { return false; }
    bool startProgram(const std::string &path) override
    {
        log_->started.push_back(path);
        return false;
    }
    void tellNotAvailable() override { ++log_->messages; }
    void openMailLink(const std::string &address) override { log_->mails.push_back(address); }

private:
    std::shared_ptr<Log> log_;
};

} // namespace

class TestFrmAbout : public MainWindowTest
{
    Q_OBJECT

protected:
    void prepareTestCase() override { QApplication::setApplicationName(QStringLiteral("Vandrel EXP Editor")); }

private slots:

    void captionTitleTextsAndFonts();
    void geometryAndFocus();
    void enterEscapeAndOkClose_data();
    void enterEscapeAndOkClose();
    void sysInfoMessageLeavesTheWindowOpen();
    void mailLinkFromLabelAndPicture();
    void openedModalFromTheMenu();

private:
};

void TestFrmAbout::captionTitleTextsAndFonts()
{
    frmAbout about(w.get());
    QCOMPARE(about.windowTitle(), QStringLiteral("Acerca de Vandrel EXP Editor v1.0"));
    QCOMPARE(about.Label1->text(), QStringLiteral("Vandrel EXP Editor v1.0"));
    QCOMPARE(about.Label1->text(), Titulo());
    QVERIFY(about.Label1->font().families().contains(QStringLiteral("Arial Black")));
    QVERIFY(about.Label1->font().bold());
    QCOMPARE(about.Label1->font().pointSize(), 12);
    QCOMPARE(about.Label2->text(), QStringLiteral("Programado Por : Equipo Vandrel"));
    QCOMPARE(about.Label3->text(), QStringLiteral("E-Mail : exp@example.org"));
    for (QLabel *label : {about.Label2, about.Label3}) {
        QVERIFY(label->font().families().contains(QStringLiteral("Times New Roman")));
        QVERIFY(label->font().bold());
        QCOMPARE(label->font().pointSize(), 12);
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
    }
    QCOMPARE(about.cmdOK->text(), QStringLiteral("Ok"));
    QCOMPARE(about.cmdSysInfo->text(), QStringLiteral("&Info. del sistema..."));
    QVERIFY(about.Text1->isReadOnly());
    QCOMPARE(about.Text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(about.Text1->toPlainText(), licenceTextForDisplay());
    QVERIFY(!about.Image1->pixmap().isNull());
    // Both link targets carry the window's own pointer, hot spot top left.
    for (QLabel *link : {about.Label3, about.Image1}) {
        QCOMPARE(link->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(link->cursor().hotSpot(), QPoint(0, 0));
        QCOMPARE(link->cursor().pixmap().size(), QSize(32, 32));
    }
}

void TestFrmAbout::geometryAndFocus()
{
    frmAbout about(w.get());
    about.show();
    QVERIFY(makeActive(&about));
    QCOMPARE(about.size(), QSize(486, 248));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    QVERIFY(!(about.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    const QString faults = placementFaults(about, {{"cmdOK", QRect(8, 168, 116, 23)},
                                                   {"cmdSysInfo", QRect(8, 208, 115, 23)},
                                                   {"Text1", QRect(136, 160, 337, 81)},
                                                   {"Label1", QRect(152, 8, 191, 23)},
                                                   {"Label2", QRect(152, 32, 284, 19)},
                                                   {"Label3", QRect(152, 56, 206, 19)},
                                                   {"Image1", QRect(8, 8, 130, 107)}});
    QVERIFY2(faults.isEmpty(), qPrintable(faults));
    QVERIFY(about.Image1->hasScaledContents());
    const QPoint offset = about.frameGeometry().center() - w->frameGeometry().center();
    QVERIFY(std::abs(offset.x()) <= 2 && std::abs(offset.y()) <= 2);

    QCOMPARE(QApplication::focusWidget(), about.cmdOK);
    QVERIFY(about.cmdOK->isDefault());
    QCOMPARE(about.cmdOK->nextInFocusChain(), about.cmdSysInfo);
    QTest::keyClick(about.cmdOK, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), about.cmdSysInfo);
    QTest::keyClick(about.cmdSysInfo, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), about.Text1);
}

void TestFrmAbout::enterEscapeAndOkClose_data()
{
    QTest::addColumn<CloseBy>("how");
    QTest::newRow("Ok") << CloseBy::Button;
    QTest::newRow("Enter") << CloseBy::Enter;
    QTest::newRow("Escape") << CloseBy::Escape;
}

void TestFrmAbout::enterEscapeAndOkClose()
{
    QFETCH(CloseBy, how);
    frmAbout about(w.get());
    about.show();
    QVERIFY(makeActive(&about));
    if (how == CloseBy::Button)
        about.cmdOK->click();
    else
        QTest::keyClick(QApplication::focusWidget(), how == CloseBy::Enter ? Qt::Key_Return : Qt::Key_Escape);
    QVERIFY(!about.isVisible());
}

void TestFrmAbout::sysInfoMessageLeavesTheWindowOpen()
{
    // Here, with no registry, the platform's own message box is shown.
    frmAbout about(w.get());
    about.show();
    auto seen = answerMessageBox(QMessageBox::Ok);
    about.cmdSysInfo->click();
    QVERIFY(seen->seen);
    QCOMPARE(seen->text, QStringLiteral("La información del sistema no está disponible en este momento"));
    QCOMPARE(seen->title, QStringLiteral("Vandrel EXP Editor"));
    QVERIFY(seen->title != Titulo());
    QCOMPARE(seen->icon, QMessageBox::NoIcon);
    QCOMPARE(seen->buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(seen->buttonTexts, QStringList{QStringLiteral("Aceptar")});
    QVERIFY(about.isVisible());
    QVERIFY(about.cmdSysInfo->isEnabled());

    // With a registry that names a tool, it is started instead.
    auto registry = std::make_unique<MemoryRegistry>();
    registry->setString("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", "C:\\msinfo32.exe");
    auto log = std::make_shared<RecordingPlatform::Log>();
    frmAbout withTool(w.get(), std::move(registry), std::make_unique<RecordingPlatform>(log));
    withTool.cmdSysInfo->click();
    QCOMPARE(log->started, std::vector<std::string>{"C:\\msinfo32.exe"});
    QCOMPARE(log->messages, 1); // the fake start fails
}

void TestFrmAbout::mailLinkFromLabelAndPicture()
{
    auto log = std::make_shared<RecordingPlatform::Log>();
    frmAbout about(w.get(), std::make_unique<MemoryRegistry>(), std::make_unique<RecordingPlatform>(log));
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTest::mouseClick(about.Label3, Qt::LeftButton);
    QTest::mouseClick(about.Image1, Qt::LeftButton, {}, QPoint(60, 50));
    QTest::mouseClick(about.Label2, Qt::LeftButton);
    QCOMPARE(log->mails, (std::vector<std::string>{"exp@example.org", "exp@example.org"}));
    QVERIFY(about.isVisible());
}

void TestFrmAbout::openedModalFromTheMenu()
{
    QPointer<frmAbout> first;
    bool modal = false;
    QString label;
    whenModal<frmAbout>([&](frmAbout *about) {
        first = about;
        modal = about->isModal() && about->parentWidget() == w.get();
        label = about->Label1->text();
        QTest::keyClick(about->cmdOK, Qt::Key_Escape);
    });
    w->MNU_ACERCA->trigger();
    QVERIFY(modal);
    QCOMPARE(label, Titulo());
    QVERIFY(first.isNull()); // destroyed on closing: each showing builds it anew
}

QTEST_MAIN(TestFrmAbout)
#include "tst_frm_about.moc"
