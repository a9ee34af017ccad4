// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "shell/frm_principal.h"
#include "shell/mod_principal.h"
#include "widgets/apariencia.h"

#include <QApplication>

#include <memory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vandrel EXP Editor"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2").arg(VEXP_VERSION_MAJOR).arg(VEXP_VERSION_MINOR));
    QApplication::setQuitOnLastWindowClosed(false); // the splash closes before the main window shows
    prepararAplicacion(app);

    const Arranque arranque = Main();
    std::unique_ptr<frmPrincipal> principal(arranque.principal);
    // Yes to the exit question ends everything at once, open dialogs included.
    QObject::connect(principal.get(), &frmPrincipal::salidaConfirmada, &app, [] { QCoreApplication::exit(0); });
    return app.exec();
}
