// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// vandrel-exp: the editor's table files from the command line.
#include "chart/chart_application.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "core/spanish.h"
#include "core/system_error.h"
#include "core/titulo.h"

#include <QCoreApplication>
#include <QStringList>

#include <memory>

int main(int argc, char **argv)
{
    prepareConsole();
    // Pictures want an application object that can draw.
    const Command *drawing = argc > 1 ? findCommand(QString::fromLocal8Bit(argv[1])) : nullptr;
    const std::unique_ptr<QCoreApplication> app =
        drawing && drawing->draws ? makeDrawingApplication(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    useSpanish(*app);
    const QStringList all = commandArguments(argc, argv);
    const QString name = all.value(1);
    const QStringList args = all.mid(2);
    if (const Command *command = findCommand(name)) {
        if (asksForHelp(*command, args))
            return printText(usageOf(*command)) ? 0 : fail(standardOutputFailure(), command->failureStatus);
        return runCommand(*command, args);
    }
    if (all.size() == 2 && (name == QStringLiteral("--help") || name == QStringLiteral("-h")))
        return printText(usage()) ? 0 : fail(standardOutputFailure());
    if (name == QStringLiteral("--completar")) // for the shell's completion (bash-completion/vandrel-exp)
        return printText(completionWords(args)) ? 0 : fail(standardOutputFailure());
    if (all.size() == 2 && name == QStringLiteral("--version"))
        return printText(Titulo() + u'\n') ? 0 : fail(standardOutputFailure());
    if (!name.isEmpty() && !name.startsWith(u'-'))
        return fail(QStringLiteral("Orden desconocida: %1 (vea vandrel-exp --help).").arg(name), 2);
    if (all.size() == 1 && aloneOnItsConsole()) {
        // A double click: the usage and where to use the tool, in a window
        // that waits to be read instead of closing at once.
        (void)printText(usage()
                        + QStringLiteral("\nEsta herramienta se usa desde una ventana de símbolo del sistema (cmd) o "
                                         "desde un script, por ejemplo:\n  vandrel-exp comprobar Exp.txt\nEl editor "
                                         "es vandrel-exp-editor.exe.\n"));
        waitForKeyPress();
        return 0;
    }
    printError(usage());
    return 2;
}
