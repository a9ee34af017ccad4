// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/commands.h"

#include "cli/console.h"
#include "core/system_error.h"
#include "table/core/byte_buffer.h"
#include "table/core/experience_table.h"
#include "server/core/job_database.h"

#include <vector>

int importar(const ParsedArguments &args)
{
    if (args.operands.isEmpty())
        return fail(QStringLiteral("importar necesita un archivo YAML."));
    if (args.operands.count(QStringLiteral("-")) > 1)
        return fail(QStringLiteral("Solo uno de los archivos puede ser la entrada estándar (-)."));
    std::vector<JobDatabaseFile> files;
    QString error;
    for (const QString &path : args.operands) {
        ByteBuffer bytes;
        if (!readBytesArgument(path, bytes, &error))
            return fail(fileFailure(path, error));
        files.push_back({shownArgument(path), std::string(bytes.data() ? bytes.data() : "", bytes.size())});
    }
    ExperienceTable table;
    if (!importJobDatabase(files, table, &error))
        return fail(error);
    if (!writeTableArgument(args.value(QStringLiteral("-o")), table, &error))
        return fail(error);
    warnOfValuesPastTheServer(table);
    return 0;
}
