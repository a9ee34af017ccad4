// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// What an admin asks of a chain of YAML job databases before it goes live:
// what each job's maximum base and job level will be, where that comes
// from, and what the server will do otherwise than the files seem to say.

#include "server/core/job_chain.h"

#include <vector>

struct ChainCheck
{
    std::vector<ChainNote> findings; // the loader's notes, then those of the result, by file and line
    qint64 errors = 0, warnings = 0;
};

// Checks `chain` as loaded. `int32Errors`: a value past 2,147,483,647 is an
// error (--tipo int32), else a warning (clients before 2017 cannot reach it).
ChainCheck checkJobChain(const JobChain &chain, bool int32Errors);
