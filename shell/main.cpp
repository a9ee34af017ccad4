// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "shell/frm_principal.h"
#include "shell/mod_principal.h"
#include "widgets/appearance.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vandrel EXP Editor"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2").arg(VEXP_VERSION_MAJOR).arg(VEXP_VERSION_MINOR));
    QApplication::setQuitOnLastWindowClosed(false); // the splash closes before the main window shows
    prepareApplication(app);

    const Startup startup = Main();
    std::unique_ptr<frmPrincipal> principal(startup.principal);
    // Yes to the exit question ends the process at once, open dialogs
    // included. Nothing is left to write by then (every save is complete
    // before it returns), and Qt's own teardown may wait on threads it met
    // along the way (the file dialogs' file-system model and watcher, the
    // global thread pool, a desktop's D-Bus and accessibility connections).
    QObject::connect(principal.get(), &frmPrincipal::exitConfirmed, &app, [] {
        std::fflush(nullptr);
        std::_Exit(0);
    });
    return app.exec();
}
