// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// Other desktops: Qt's process start and the desktop's handler for mailto: links.
#include "about/programs.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

bool isPlainFile(const std::string &path)
{
    const QFileInfo info(QString::fromLocal8Bit(path.c_str()));
    return info.isFile() && !info.isHidden();
}

bool startInNormalWindow(const std::string &path)
{
    return !path.empty() && QProcess::startDetached(QString::fromLocal8Bit(path.c_str()), {});
}

void openMailLink(const std::string &address)
{
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + QString::fromStdString(address)));
}
