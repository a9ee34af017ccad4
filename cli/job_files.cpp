// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/job_files.h"

#include "cli/console.h"
#include "cli/file_arguments.h"
#include "core/file_name.h"
#include "core/system_error.h"

#include <QFile>
#include <QFileInfo>

OptionSpec serverMaxLevelOption()
{
    return {QStringLiteral("--nivel-maximo"),
            QStringLiteral("N"),
            {},
            QStringLiteral("el MAX_LEVEL con que se compiló el servidor (YAML: 275, o 175, 250, 260 en los antiguos; "
                           "libconfig: 175)")};
}

bool serverMaxLevel(const ParsedArguments &args, int *level, QString *error, int otherwise)
{
    *level = otherwise;
    if (!args.has(QStringLiteral("--nivel-maximo")))
        return true;
    bool ok = false;
    const int value = args.value(QStringLiteral("--nivel-maximo")).toInt(&ok);
    if (!ok || value < 1 || value > kLargestServerMaxLevel) {
        *error = QStringLiteral("--nivel-maximo necesita el MAX_LEVEL del servidor, un número de 1 a %1.")
                     .arg(kLargestServerMaxLevel);
        return false;
    }
    *level = value;
    return true;
}

bool readJobFileArgument(const QString &path, std::string *text, QString *error)
{
    QFile input;
    bool opened;
    if (path == QStringLiteral("-")) {
        opened = input.open(0, QIODevice::ReadOnly);
        if (!opened)
            *error = input.errorString();
    } else if (kindOf(path) == FileKind::Folder) {
        *error = folderGivenMessage();
        opened = false;
    } else {
        opened = openNamed(input, path, QIODevice::ReadOnly, error);
    }
    if (!opened)
        return false;
    std::string read;
    char chunk[1 << 16];
    for (;;) {
        const qint64 got = input.read(chunk, sizeof chunk);
        if (got < 0) {
            *error = input.errorString();
            return false;
        }
        if (got == 0)
            break;
        if (qint64(read.size()) + got > kMaxJobFileBytes) {
            *error = QStringLiteral("El archivo pasa de %1 MiB, muy por encima de cualquier base de datos de trabajos "
                                    "real; no se ha leído.")
                         .arg(kMaxJobFileBytes >> 20);
            return false;
        }
        read.append(chunk, size_t(got));
    }
    *text = std::move(read);
    return true;
}

bool loadChainArguments(const QStringList &paths, JobChain &chain, QString *error)
{
    for (qsizetype i = 0; i < paths.size(); ++i) {
        std::string text;
        if (!readJobFileArgument(paths[i], &text, error)) {
            *error = fileFailure(paths[i], *error);
            return false;
        }
        if (const std::optional<ChainRefusal> refusal =
                chain.load({shownArgument(paths[i]), std::move(text)}, i == 0 && paths.size() > 1)) {
            *error = QStringLiteral("%1: %2").arg(chain.placeText(refusal->place), refusal->message);
            return false;
        }
    }
    return true;
}

QStringList chainWarnings(const JobChain &chain)
{
    QStringList warnings;
    for (const ChainNote &note : chain.notes())
        warnings << QStringLiteral("%1: %2").arg(chain.placeText(note.place), note.message);
    return warnings;
}

std::optional<ServerFamily> familyOption(const ParsedArguments &args)
{
    if (!args.has(QStringLiteral("--formato")))
        return std::nullopt;
    return args.value(QStringLiteral("--formato")) == QStringLiteral("libconfig") ? ServerFamily::Libconfig
                                                                                  : ServerFamily::Yaml;
}

bool isGroupFamily(const ParsedArguments &args, const QString &fileName, std::string_view bytes)
{
    if (const std::optional<ServerFamily> family = familyOption(args))
        return *family == ServerFamily::Libconfig;
    return args.has(QStringLiteral("--trabajos")) || fileName.endsWith(QStringLiteral(".conf"), Qt::CaseInsensitive)
           || looksLikeExpGroupDatabase(bytes);
}

bool loadGroupArguments(const QString &groupsPath, const ParsedArguments &args, bool missingIsEmpty,
                        ExpGroupServer &server, QString *error)
{
    std::string text;
    const QFileInfo info(groupsPath);
    const bool missing = groupsPath != QStringLiteral("-") && (!info.exists() || (!info.isDir() && info.size() == 0));
    if (!(missing && missingIsEmpty) && !readJobFileArgument(groupsPath, &text, error)) {
        *error = fileFailure(groupsPath, *error);
        return false;
    }
    if (const std::optional<GroupRefusal> refusal = server.loadGroups({shownArgument(groupsPath), std::move(text)})) {
        *error = QStringLiteral("%1: %2").arg(server.placeText(refusal->place), refusal->message);
        return false;
    }
    if (!args.has(QStringLiteral("--trabajos"))) {
        server.linkAsShipped();
        return true;
    }
    const QString linksPath = args.value(QStringLiteral("--trabajos"));
    if (!readJobFileArgument(linksPath, &text, error)) {
        *error = fileFailure(linksPath, *error);
        return false;
    }
    if (const std::optional<GroupRefusal> refusal = server.loadLinks({shownArgument(linksPath), std::move(text)})) {
        *error = QStringLiteral("%1: %2").arg(server.placeText(refusal->place), refusal->message);
        return false;
    }
    return true;
}

QStringList groupWarnings(const ExpGroupServer &server)
{
    QStringList warnings;
    for (const GroupNote &note : server.notes())
        warnings << QStringLiteral("%1: %2").arg(server.placeText(note.place), note.message);
    return warnings;
}
