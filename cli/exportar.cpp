// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/commands.h"

#include "cli/console.h"
#include "cli/file_arguments.h"
#include "cli/job_files.h"
#include "core/system_error.h"
#include "server/core/group_export.h"
#include "server/core/import_file.h"
#include "server/core/job_database.h"
#include "table/core/experience_table.h"

#include <QFileInfo>

namespace {

// The libconfig family: the table into the admin's exp_group_db.conf (and,
// splitting groups, job_db.conf), every other byte kept.
int exportGroups(const ParsedArguments &args, const QString &input)
{
    const QString output = args.value(QStringLiteral("-o"));
    if (output.isEmpty() || output == QStringLiteral("-"))
        return fail(QStringLiteral("La orden exportar --formato libconfig necesita -o db/re/exp_group_db.conf (o el de "
                                   "pre-re): escribe en ese archivo, que el servidor lee tal cual."));
    if (args.has(QStringLiteral("--base")))
        return fail(QStringLiteral("--base es de la base de datos YAML; con libconfig, --trabajos job_db.conf."));
    const QString linksPath = args.value(QStringLiteral("--trabajos"));
    if (args.has(QStringLiteral("--separar")) && linksPath == QStringLiteral("-"))
        return fail(
            QStringLiteral("--separar escribe en el job_db.conf: --trabajos tiene que nombrar el archivo, no la "
                           "entrada estándar."));
    if (!linksPath.isEmpty() && QFileInfo(linksPath).absoluteFilePath() == QFileInfo(output).absoluteFilePath())
        return fail(QStringLiteral("--trabajos y -o nombran el mismo archivo: son el job_db.conf y el "
                                   "exp_group_db.conf del servidor."));
    int maxLevel = 0;
    QString error;
    if (!serverMaxLevel(args, &maxLevel, &error, kDefaultGroupServerMaxLevel))
        return fail(error);
    ExperienceTable table;
    if (!readTableArgument(input, table, &error))
        return fail(fileFailure(input, error));
    ExpGroupServer current(maxLevel);
    if (!loadGroupArguments(output, args, true, current, &error))
        return fail(error + QStringLiteral(" No se ha escrito nada."));
    GroupExport exported;
    if (!exportExpGroups(table, shownFileName(input), current, args.has(QStringLiteral("--separar")), &exported,
                         &error))
        return fail(QStringLiteral("%1: %2").arg(shownArgument(input), error));
    if (!writeBytesArgument(output, QByteArray::fromStdString(exported.groups), &error))
        return fail(error);
    if (exported.links && !writeBytesArgument(linksPath, QByteArray::fromStdString(*exported.links), &error))
        return fail(QStringLiteral("%1 %2 ya está escrito, con los grupos nuevos que aún nadie usa: exporte otra vez "
                                   "cuando se pueda escribir %3.")
                        .arg(error, shownArgument(output), shownArgument(linksPath)));

    // What the server will load: the files as written.
    ExpGroupServer loaded(maxLevel);
    QStringList warnings = exported.warnings;
    if (!exported.movedJobs.isEmpty())
        warnings << QStringLiteral("%1: %2 pasan a los grupos nuevos.")
                        .arg(shownArgument(linksPath), jobNamesText(exported.movedJobs));
    std::optional<GroupRefusal> refusal = loaded.loadGroups({shownArgument(output), exported.groups});
    if (!refusal && current.linksLoaded())
        refusal = loaded.loadLinks(
            {shownArgument(linksPath), exported.links ? *exported.links : current.file(kLinksFile)->text});
    else if (!refusal)
        loaded.linkAsShipped();
    if (refusal)
        warnings << QStringLiteral("%1: %2").arg(loaded.placeText(refusal->place), refusal->message);
    else
        warnings += checkExportedGroups(exported, loaded);
    for (const QString &warning : warnings)
        printError(QStringLiteral("vandrel-exp: aviso: %1: %2\n").arg(shownArgument(input), warning));
    return 0;
}

} // namespace

int exportar(const ParsedArguments &args)
{
    const QString &input = args.operands[0];
    if (isGroupFamily(args, args.value(QStringLiteral("-o"))))
        return exportGroups(args, input);
    if (args.has(QStringLiteral("--separar")) || args.has(QStringLiteral("--trabajos")))
        return fail(QStringLiteral("--separar y --trabajos son de los archivos libconfig (--formato libconfig)."));
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
    // Comment lines hold accented letters: a console shows them as text.
    const QByteArray yaml = QByteArray::fromStdString(text);
    if (!(output == QStringLiteral("-") ? writeDocumentOutput(yaml, &error) : writeBytesArgument(output, yaml, &error)))
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
