// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/commands.h"

#include "cli/console.h"
#include "cli/job_files.h"
#include "server/core/job_database.h"
#include "table/core/experience_table.h"

int importar(const ParsedArguments &args)
{
    if (args.operands.isEmpty())
        return fail(QStringLiteral("importar necesita un archivo YAML."));
    if (args.operands.count(QStringLiteral("-")) > 1)
        return fail(QStringLiteral("Solo uno de los archivos puede ser la entrada estándar (-)."));
    int maxLevel = 0;
    QString error;
    if (!serverMaxLevel(args, &maxLevel, &error))
        return fail(error);
    JobChain chain(maxLevel);
    if (!loadChainArguments(args.operands, chain, &error))
        return fail(error);
    ExperienceTable table;
    QStringList warnings = chainWarnings(chain);
    if (!importJobDatabase(chain, table, &warnings, &error))
        return fail(error);
    if (!writeTableArgument(args.value(QStringLiteral("-o")), table, &error))
        return fail(error);
    for (const QString &warning : warnings)
        printError(QStringLiteral("vandrel-exp: aviso: %1\n").arg(warning));
    warnOfValuesPastTheServer(table);
    return 0;
}
