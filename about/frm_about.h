// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include "about/core/sys_info.h"

#include <QDialog>

#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// Everything the About window asks of the platform, so tests can hand in a double.
class AboutPlatform : public SysInfoPlatform
{
public:
    virtual void openMailLink(const std::string &address) = 0;
};

// The platform's own: starts programs, opens the mail link, shows the message.
class SystemAboutPlatform : public AboutPlatform
{
public:
    explicit SystemAboutPlatform(QWidget *owner) : owner_(owner) {}
    bool fileExists(const std::string &path) override;
    bool startProgram(const std::string &path) override;
    void tellNotAvailable() override;
    void openMailLink(const std::string &address) override;

private:
    QWidget *owner_;
};

inline constexpr char kAuthor[] = "Equipo Vandrel";
inline constexpr char kMailAddress[] = "exp@example.org";

// The About window: title, credits, licence, system information and the
// mail link. Shown modal over the main window; each showing builds it anew.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    // With no registry or platform given, the system's own are used.
    explicit frmAbout(QWidget *owner, std::unique_ptr<Registry> registry = nullptr,
                      std::unique_ptr<AboutPlatform> platform = nullptr);
    ~frmAbout() override;

    QPushButton *cmdOK;
    QPushButton *cmdSysInfo;
    QPlainTextEdit *Text1;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Image1;

    bool eventFilter(QObject *watched, QEvent *event) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fillControls();

    std::unique_ptr<Registry> registry_;
    std::unique_ptr<AboutPlatform> platform_;
    bool shown_ = false;
};
