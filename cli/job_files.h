// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// The YAML job databases as the tool's commands take them: read within
// their bound, loaded as a chain in the order given, the server's level
// limit from --nivel-maximo.

#include "cli/options.h"
#include "server/core/job_chain.h"

#include <QString>
#include <QStringList>

#include <string>

// The --nivel-maximo option every YAML command takes.
OptionSpec serverMaxLevelOption();

// --nivel-maximo's value, or the newest servers' limit; false, with the
// message, for a value that is not a level from 1 to 65535.
bool serverMaxLevel(const ParsedArguments &args, int *level, QString *error);

// Reads the file at `path` (or standard input for "-") whole, refusing one
// larger than kMaxJobFileBytes before taking it all in.
bool readJobFileArgument(const QString &path, std::string *text, QString *error);

// Loads `paths` in order into `chain`; the first of several is the server's
// own file. False, with the message naming the file and place, for a file
// that cannot be read or that the chain refuses.
bool loadChainArguments(const QStringList &paths, JobChain &chain, QString *error);

// The chain's notes as the tool's warnings, "FILE:LINE:COLUMN: message".
QStringList chainWarnings(const JobChain &chain);
