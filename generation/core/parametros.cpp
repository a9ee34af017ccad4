// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "generation/core/parametros.h"

#include <cstring>

void ValoresPorDefecto(Parametros &p)
{
    static constexpr int16_t kNiveles[14] = {99, 10, 99, 50, 99, 50, 99, 70, 99, 10, 99, 50, 99, 70};
    for (int i = 1; i <= 14; ++i)
        p.NivelesMax[size_t(i)] = kNiveles[i - 1];
    p.MultExp = 10;
    p.NextBase = 10;
    p.MultJob = 8;
    p.NextJob = 15;
    p.IncNextBase = 2;
    p.IncNextJob = 2;
}

int16_t NivelMaximo(const Parametros &p)
{
    int16_t result = 0;
    for (int i = 1; i <= 14; ++i)
        if (p.NivelesMax[size_t(i)] > result)
            result = p.NivelesMax[size_t(i)];
    return result;
}

namespace {
template <int I> int16_t &nivel(Parametros &p)
{
    return p.NivelesMax[I];
}
} // namespace

const std::array<ParameterField, 20> &parameterFields()
{
    static const std::array<ParameterField, 20> campos = {{
        {"NobBase", "Novice", "Base", 4, nivel<1>},
        {"NobJob", "Novice", "Job", 4, nivel<2>},
        {"FBase", "1º Job", "Base", 4, nivel<3>},
        {"FJob", "1º Job", "Job", 4, nivel<4>},
        {"SBase", "2º Job", "Base", 4, nivel<5>},
        {"SJob", "2º Job", "Job", 4, nivel<6>},
        {"SupBase", "Super Novice", "Base", 4, nivel<7>},
        {"SupJob", "Super Novice", "Job", 4, nivel<8>},
        {"NHigBase", "Novice High", "Base", 4, nivel<9>},
        {"NHigJob", "Novice High", "Job", 4, nivel<10>},
        {"FrABase", "1º Job Adv", "Base", 4, nivel<11>},
        {"FrAJob", "1º Job Adv", "Job", 4, nivel<12>},
        {"SegABase", "2º Job Adv", "Base", 4, nivel<13>},
        {"SegAJob", "2º Job Adv", "Job", 4, nivel<14>},
        {"MultExp", "Datos de La Formula", "Multiplicador de Exp", 2,
         [](Parametros &p) -> int16_t & { return p.MultExp; }},
        {"MultJob", "Datos de La Formula", "Multiplicador de JExp", 2,
         [](Parametros &p) -> int16_t & { return p.MultJob; }},
        {"NextBase", "Datos de La Formula", "Intervalo de Incremento de Exp", 2,
         [](Parametros &p) -> int16_t & { return p.NextBase; }},
        {"NextJob", "Datos de La Formula", "Intervalo de Incremento de JExp", 2,
         [](Parametros &p) -> int16_t & { return p.NextJob; }},
        {"IncNextBase", "Datos de La Formula", "Incremento de Exp", 1,
         [](Parametros &p) -> int16_t & { return p.IncNextBase; }},
        {"IncNextJob", "Datos de La Formula", "Incremento de JExp", 1,
         [](Parametros &p) -> int16_t & { return p.IncNextJob; }},
    }};
    return campos;
}

int parameterFieldIndex(const char *name)
{
    const auto &campos = parameterFields();
    for (size_t i = 0; i < campos.size(); ++i)
        if (std::strcmp(campos[i].name, name) == 0)
            return int(i);
    return -1;
}

Parametros &programParameters()
{
    static Parametros parametros;
    return parametros;
}

std::optional<int16_t> parseParameterValue(QStringView text)
{
    const bool negative = text.startsWith(u'-');
    const QStringView digits = negative ? text.mid(1) : text;
    if (digits.isEmpty())
        return std::nullopt;
    int value = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        if (value <= 32768) // past the range it only has to stay there
            value = value * 10 + (c.unicode() - u'0');
    }
    if (negative)
        value = -value;
    if (value < INT16_MIN || value > INT16_MAX)
        return std::nullopt;
    return int16_t(value);
}

QString parameterValueError(const QString &name)
{
    return QStringLiteral("El valor de «%1» debe ser un número entero de -32768 a 32767.").arg(name);
}
