// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <optional>

// The twenty values a whole table is generated from.
struct Parametros
{
    std::array<int16_t, 15> NivelesMax{}; // indexes 1 to 14; base and job per class group
    int16_t MultExp = 0;
    int16_t NextBase = 0;
    int16_t MultJob = 0;
    int16_t NextJob = 0;
    int16_t IncNextBase = 0;
    int16_t IncNextJob = 0;

    bool operator==(const Parametros &) const = default;
};

void ValoresPorDefecto(Parametros &parametros);

// The largest NivelesMax entry, or 0 when none is positive.
int16_t NivelMaximo(const Parametros &parametros);

// One of the twenty fields as the dialog and the command line name it.
struct ParameterField
{
    const char *name;  // the dialog box's name without "Txt", e.g. "NobBase"
    const char *group; // class group frame caption, or the formula frame's
    const char *label; // "Base", "Job" or the formula label
    int maxLength;     // characters a box takes
    int16_t &(*field)(Parametros &);
};

// The twenty fields in the dialog's tab order.
const std::array<ParameterField, 20> &parameterFields();

// Index into parameterFields() of the box `name` ("NobBase" ...), or -1.
int parameterFieldIndex(const char *name);

// Process-wide parameters of the running program.
Parametros &programParameters();

// A parameter value as a box or an option gives it: plain decimal digits
// ("0" to "9" only) with an optional leading "-", from -32768 to 32767. No
// blanks, no "+", nothing else; empty when refused.
std::optional<int16_t> parseParameterValue(QStringView text);

// Why a value was refused; `name` is the box or option it was given in.
QString parameterValueError(const QString &name);
