// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "generation/core/generate_table.h"

#include "generation/core/generador.h"
#include "generation/core/parametros.h"
#include "table/core/experience_table.h"

CommandOutcome generateTable(const Parametros &accepted, Parametros &programStore, ExperienceTable &table)
{
    QString error;
    if (!GenerarTabla(NivelMaximo(accepted), accepted, table, &error))
        return {CommandOutcome::Failed, error + QStringLiteral(" La tabla anterior se ha conservado.")};
    programStore = accepted;
    return {CommandOutcome::Done, {}};
}
