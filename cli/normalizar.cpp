// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/commands.h"

#include "cli/console.h"
#include "table/core/experience_table.h"

int normalizar(const QStringList &args)
{
    if (args.size() > 2)
        return refuseArgument(args[2]);
    if (args.size() != 2)
        return fail(QStringLiteral("normalizar necesita un archivo de entrada y uno de salida."));
    ExperienceTable table;
    QString error;
    if (!readTableArgument(args[0], table, &error))
        return fail(QStringLiteral("%1: %2").arg(args[0], error));
    return writeTableArgument(args[1], table, &error) ? 0 : fail(error);
}
