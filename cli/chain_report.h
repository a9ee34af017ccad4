// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// comprobar's report of a chain of YAML job databases: the findings, then
// each job's maximum levels and where they come from.

#include "server/core/chain_check.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <string>
#include <utility>
#include <vector>

struct ChainReport
{
    JobChain chain;
    QStringList paths; // as given, by file index
    ChainCheck check;
};

// Loads the YAML files into `report` as the server does, in the order given
// (the first the base where there are several), and checks the chain
// (values past int32 are errors with `int32`). A file the server would not
// load becomes a no_se_carga finding, first; one past the reader's bounds
// is not read: it and its message are returned.
std::vector<std::pair<QString, QString>> loadChainReport(ChainReport &report, const QStringList &paths,
                                                         std::vector<std::string> texts, bool int32);

QString textOfChain(const ChainReport &report);
QJsonObject jsonOfChain(const ChainReport &report);

// SARIF results for the chain's findings; `artifactUri` names a file as SARIF wants it.
QJsonArray sarifResultsOfChain(const ChainReport &report, QString (*artifactUri)(const QString &));
