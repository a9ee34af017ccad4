// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/commands.h"

#include "cli/console.h"
#include "core/system_error.h"
#include "table/core/experience_table.h"
#include "server/core/job_database.h"

int exportar(const ParsedArguments &args)
{
    if (args.operands.size() != 1)
        return fail(QStringLiteral("exportar necesita un archivo de tabla."));
    const QString &input = args.operands[0];
    ExperienceTable table;
    QString error;
    if (!readTableArgument(input, table, &error))
        return fail(fileFailure(input, error));
    JobDatabaseExport exported;
    if (!exportJobDatabase(table, shownFileName(input), &exported, &error))
        return fail(QStringLiteral("%1: %2").arg(shownArgument(input), error));
    const QString output = args.value(QStringLiteral("-o"), QStringLiteral("-"));
    if (!writeBytesArgument(output.isEmpty() ? QStringLiteral("-") : output, QByteArray::fromStdString(exported.yaml),
                            &error))
        return fail(error);
    for (const QString &warning : exported.warnings)
        printError(QStringLiteral("vandrel-exp: aviso: %1: %2\n").arg(shownArgument(input), warning));
    return 0;
}
