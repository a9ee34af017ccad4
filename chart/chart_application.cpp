#include "chart/chart_application.h"

#include <QApplication>

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
    // Pictures go to files: no window is ever shown, so no display is asked for.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(keepQuietUnlessSerious);
    return std::make_unique<QApplication>(argc, argv);
}
