// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/commands.h"

#include "cli/console.h"
#include "cli/file_arguments.h"
#include "core/system_error.h"
#include "table/core/experience_table.h"

int normalizar(const ParsedArguments &args)
{
    const QString &input = args.operands[0], &output = args.operands[1];
    ExperienceTable table;
    QString error;
    if (!readTableArgument(input, table, &error))
        return fail(fileFailure(input, error));
    return writeTableArgument(output, table, &error) ? 0 : fail(error);
}
