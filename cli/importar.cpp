// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/commands.h"

#include "cli/console.h"
#include "cli/file_arguments.h"
#include "cli/job_files.h"
#include "server/core/group_export.h"
#include "server/core/job_database.h"
#include "table/core/experience_table.h"

namespace {

int writeImported(const ParsedArguments &args, const ExperienceTable &table, const QStringList &warnings)
{
    QString error;
    if (!writeTableArgument(args.value(QStringLiteral("-o")), table, &error))
        return fail(error);
    for (const QString &warning : warnings)
        printError(QStringLiteral("vandrel-exp: aviso: %1\n").arg(warning));
    warnOfValuesPastTheServer(table);
    return 0;
}

} // namespace

int importar(const ParsedArguments &args)
{
    int maxLevel = 0;
    QString error;
    ExperienceTable table;
    QStringList warnings;
    if (isGroupFamily(args, args.operands.front())) {
        if (args.operands.size() != 1)
            return fail(
                QStringLiteral("La orden importar lee un solo exp_group_db.conf; su job_db.conf va con --trabajos."));
        if (!serverMaxLevel(args, &maxLevel, &error, kDefaultGroupServerMaxLevel))
            return fail(error);
        ExpGroupServer server(maxLevel);
        if (!loadGroupArguments(args.operands.front(), args, false, server, &error))
            return fail(error);
        warnings = groupWarnings(server);
        if (!importExpGroups(server, table, &warnings, &error))
            return fail(error);
        return writeImported(args, table, warnings);
    }
    if (!serverMaxLevel(args, &maxLevel, &error))
        return fail(error);
    JobChain chain(maxLevel);
    if (!loadChainArguments(args.operands, chain, &error))
        return fail(error);
    warnings = chainWarnings(chain);
    if (!importJobDatabase(chain, table, &warnings, &error))
        return fail(error);
    return writeImported(args, table, warnings);
}
