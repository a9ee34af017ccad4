// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// exportar's block in the admin's own db/import/job_stats.yml, which also
// holds other tables (HP, SP, stat limits) and the admin's comments: every
// byte outside the block stays as it was. The block is replaced where it
// stands, or added at the end of Body (Body added where there is none).

#include "server/core/job_database.h"

#include <QString>

#include <string>
#include <string_view>

// The file's bytes with `block` in them, into *merged. False, with *error
// (Spanish, naming the place), where that cannot be done without touching
// other bytes (a Body written [ … ], the block's marker lines repeated or
// alone) or where the server would not load the file as it is.
bool mergeIntoImportFile(std::string_view existing, const QString &fileName, const ExportedBlock &block,
                         std::string *merged, QString *error);
