// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "about/frm_about.h"

#include "about/programs.h"
#include "core/titulo.h"
#include "widgets/appearance.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

bool SystemAboutPlatform::fileExists(const std::string &path)
{
    return isPlainFile(path);
}

bool SystemAboutPlatform::startProgram(const std::string &path)
{
    return startInNormalWindow(path);
}

void SystemAboutPlatform::tellNotAvailable()
{
    // The one box of the program whose caption is not the title.
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), QString::fromUtf8(kSysInfoUnavailableMessage),
                    QMessageBox::Ok, owner_);
    box.exec();
}

void SystemAboutPlatform::openMailLink(const std::string &address)
{
    ::openMailLink(address);
}

frmAbout::frmAbout(QWidget *owner, std::unique_ptr<Registry> registry, std::unique_ptr<AboutPlatform> platform)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                         | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      registry_(registry ? std::move(registry) : createRegistry()),
      platform_(platform ? std::move(platform) : std::make_unique<SystemAboutPlatform>(this))
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Acerca de Vandrel EXP Editor v1.0"));
    setModal(true);
    setFixedSize(486, 248);

    cmdOK = new QPushButton(QStringLiteral("Ok"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(8, 168, 116, 23);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept); // Esc rejects: the same close

    cmdSysInfo = new QPushButton(QStringLiteral("&Info. del sistema..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(8, 208, 115, 23);
    cmdSysInfo->setAutoDefault(false);
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] { StartSysInfo(*registry_, *platform_); });

    Text1 = createLicenceBox(this, QRect(136, 160, 337, 81));
    Label1 = createTitleLabel(this, QRect(152, 8, 191, 23));

    Label2 = new QLabel(QStringLiteral("Programado Por : ") + QString::fromUtf8(kAuthor), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(152, 32, 284, 19);
    Label2->setFont(timesFont12(true));

    Label3 = new QLabel(QStringLiteral("E-Mail : ") + QString::fromUtf8(kMailAddress), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(152, 56, 206, 19);
    Label3->setFont(timesFont12(true));
    Label3->setAccessibleDescription(QStringLiteral("Abre un mensaje nuevo para ") + QString::fromUtf8(kMailAddress));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Escribir a ") + QString::fromUtf8(kMailAddress));
    Image1->setGeometry(8, 8, 130, 107);
    Image1->setScaledContents(true);
    Image1->setPixmap(renderPicture(QStringLiteral(":/vexp/acerca.svg"), QSize(128, 105)));

    const QCursor link(renderPicture(QStringLiteral(":/vexp/enlace.svg"), QSize(32, 32)), 0, 0);
    for (QLabel *clickable : {Label3, Image1}) {
        clickable->setCursor(link);
        clickable->installEventFilter(this);
    }

    setTabOrder(cmdOK, cmdSysInfo);
    setTabOrder(cmdSysInfo, Text1);
    fillControls();

    centreOver(this, owner);
}

frmAbout::~frmAbout() = default;

void frmAbout::fillControls()
{
    Label1->setText(Titulo());
}

bool frmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == Label3 || watched == Image1) && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        platform_->openMailLink(kMailAddress);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    finishFirstShow(this, cmdOK, shown_);
}
