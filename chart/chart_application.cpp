// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "chart/chart_application.h"

#include "chart/drawing_platform.h"

#include <QGuiApplication>

#include <cstdio>

namespace {

// Qt's notes on its own set-up (no runtime folder, and the like) are no
// business of a command's user; errors still reach standard error.
void keepQuietUnlessSerious(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

std::unique_ptr<QCoreApplication> makeDrawingApplication(int &argc, char **argv)
{
    chooseDrawingPlatform();
    qInstallMessageHandler(keepQuietUnlessSerious);
    return std::make_unique<QGuiApplication>(argc, argv);
}
