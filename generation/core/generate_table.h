// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include "core/command_outcome.h"

class ExperienceTable;
struct Parametros;

// "&Aceptar" of "Generar Tabla", once every box holds a value: generates the
// table of `accepted` into `table` and keeps `accepted` in `programStore`,
// the program's parameters. Failed (a percentage or threshold past the
// 16-bit range, a value past the double range) leaves both as they were,
// with the message to show over the dialog, which stays open.
CommandOutcome generateTable(const Parametros &accepted, Parametros &programStore, ExperienceTable &table);
