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

struct ChainReport
{
    JobChain chain;
    QStringList paths; // as given, by file index
    ChainCheck check;
};

QString textOfChain(const ChainReport &report);
QJsonObject jsonOfChain(const ChainReport &report);

// SARIF results for the chain's findings; `artifactUri` names a file as SARIF wants it.
QJsonArray sarifResultsOfChain(const ChainReport &report, QString (*artifactUri)(const QString &));
