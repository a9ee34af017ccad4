// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include <QString>

#include <cstdint>
#include <string>

class ExperienceTable;
struct Parametros;

// The share of `value` given by `percentage` hundredths, rounded half to even.
double Porcentaje(double value, int16_t percentage);

// Fills `grid` with the table of levels 1 to N (N >= 0) grown from the
// formula fields of `parametros`. The table is built aside and swapped in,
// so when a percentage or threshold would leave the 16-bit range, or a value
// the double range, `grid` keeps what it held, *error names the level (it
// does not speak of the table kept: the tool has none), and false is returned.
bool GenerarTabla(int16_t N, const Parametros &parametros, ExperienceTable &grid, QString *error);

// Ends each value column of a generated table at its own class group's
// maximum level (NivelesMax): from that level's row on, the column holds 0,
// so that a server stops the group there. Rows are levels 1, 2, 3, ….
void cutAtMaximumLevels(const Parametros &parametros, ExperienceTable &table);

// The text of a generated value, as C's "%.15G" writes it.
void appendValueText(std::string &out, double value);
