// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/commands.h"

#include "cli/console.h"
#include "cli/job_files.h"
#include "core/system_error.h"
#include "server/core/import_file.h"
#include "server/core/job_database.h"
#include "table/core/experience_table.h"

#include <QFileInfo>

int exportar(const ParsedArguments &args)
{
    if (args.operands.size() != 1)
        return fail(QStringLiteral("exportar necesita un archivo de tabla."));
    const QString &input = args.operands[0];
    int maxLevel = 0;
    QString error;
    if (!serverMaxLevel(args, &maxLevel, &error))
        return fail(error);
    ExperienceTable table;
    if (!readTableArgument(input, table, &error))
        return fail(fileFailure(input, error));
    // The server's own file: its groups, and the first link of the chain checked below.
    JobChain base(maxLevel);
    const bool withBase = args.has(QStringLiteral("--base"));
    if (withBase && !loadChainArguments({args.value(QStringLiteral("--base"))}, base, &error))
        return fail(error);
    ExportedBlock block;
    if (!exportJobDatabase(table, shownFileName(input), withBase ? &base : nullptr, &block, &error))
        return fail(QStringLiteral("%1: %2").arg(shownArgument(input), error));

    QString output = args.value(QStringLiteral("-o"), QStringLiteral("-"));
    if (output.isEmpty())
        output = QStringLiteral("-");
    std::string text;
    const QFileInfo target(output);
    if (output != QStringLiteral("-") && target.exists() && !target.isDir() && target.size() > 0) {
        // The admin's own file: only the block changes.
        std::string existing;
        if (!readJobFileArgument(output, &existing, &error))
            return fail(fileFailure(output, error));
        if (!mergeIntoImportFile(existing, shownArgument(output), block, &text, &error))
            return fail(error);
    } else {
        text = wholeJobDatabase(block, withBase ? base.versionOf(0) : 2);
    }
    if (!writeBytesArgument(output, QByteArray::fromStdString(text), &error))
        return fail(error);

    // What the server will load: the base, then what was written.
    JobChain loaded(maxLevel);
    if (withBase)
        loaded.load(base.files().front(), true);
    QStringList warnings = block.warnings;
    if (const std::optional<ChainRefusal> refusal = loaded.load({shownArgument(output), text}))
        warnings << QStringLiteral("%1: %2").arg(loaded.placeText(refusal->place), refusal->message);
    else
        warnings += checkExportedBlock(block, loaded);
    for (const QString &warning : warnings)
        printError(QStringLiteral("vandrel-exp: aviso: %1: %2\n").arg(shownArgument(input), warning));
    return 0;
}
