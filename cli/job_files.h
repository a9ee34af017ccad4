// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// The YAML job databases as the tool's commands take them: read within
// their bound, loaded as a chain in the order given, the server's level
// limit from --nivel-maximo.

#include "cli/options.h"
#include "server/core/exp_groups.h"
#include "server/core/job_chain.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <string_view>

// The --nivel-maximo option every YAML command takes.
OptionSpec serverMaxLevelOption();

// --nivel-maximo's value, or `otherwise` (the newest YAML servers' limit);
// false, with the message, for a value that is not a level from 1 to 65535.
bool serverMaxLevel(const ParsedArguments &args, int *level, QString *error, int otherwise = kDefaultServerMaxLevel);

// The two families of servers' job files: --formato's values.
enum class ServerFamily { Yaml, Libconfig };
std::optional<ServerFamily> familyOption(const ParsedArguments &args);

// Whether a command's files are the libconfig family's: --formato
// libconfig, --trabajos, a name ending .conf, or bytes that begin as
// exp_group_db.conf does.
bool isGroupFamily(const ParsedArguments &args, const QString &fileName, std::string_view bytes = {});

// Loads `groupsPath` (exp_group_db.conf; a missing or empty one only when
// `missingIsEmpty`) and the --trabajos file, or links the representatives
// as shipped. False, with the message naming the file and place, for a
// file that cannot be read or that the server would not load.
bool loadGroupArguments(const QString &groupsPath, const ParsedArguments &args, bool missingIsEmpty,
                        ExpGroupServer &server, QString *error);

// The model's notes as the tool's warnings, "FILE:LINE:COLUMN: message".
QStringList groupWarnings(const ExpGroupServer &server);

// Reads the file at `path` (or standard input for "-") whole, refusing one
// larger than kMaxJobFileBytes before taking it all in.
bool readJobFileArgument(const QString &path, std::string *text, QString *error);

// Loads `paths` in order into `chain`; the first of several is the server's
// own file. False, with the message naming the file and place, for a file
// that cannot be read or that the chain refuses.
bool loadChainArguments(const QStringList &paths, JobChain &chain, QString *error);

// The chain's notes as the tool's warnings, "FILE:LINE:COLUMN: message".
QStringList chainWarnings(const JobChain &chain);
