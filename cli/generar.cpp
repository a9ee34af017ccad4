// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/commands.h"

#include "cli/console.h"
#include "generation/core/generador.h"
#include "generation/core/parametros.h"
#include "table/core/experience_table.h"

#include <charconv>
#include <cstdint>
#include <string_view>

namespace {

// Whether a server that stores values as signed 32-bit integers reads
// `value` as written: plain digits within range (no exponent form).
bool fitsTheServer(std::string_view value)
{
    int32_t number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    return error == std::errc() && end == value.data() + value.size();
}

// Warns, without failing, where the generated table holds values that
// comprobar will reject: the first such cell and how many there are.
void warnOfValuesPastTheServer(const ExperienceTable &table)
{
    qint64 count = 0;
    int32_t firstRow = 0;
    int firstColumn = 0;
    for (int32_t row = 1; row < table.rowCount(); ++row)
        for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column)
            if (!fitsTheServer(table.value(row, column)) && count++ == 0) {
                firstRow = row;
                firstColumn = column;
            }
    if (count == 0)
        return;
    const std::string_view first = table.value(firstRow, firstColumn);
    printError(QStringLiteral("vandrel-exp: aviso: %1 no caben en un entero de 32 bits con signo, como los lee el "
                              "servidor; el primero, en el nivel %2, columna %3: %4. comprobar rechazará la "
                              "tabla.\n")
                   .arg(countOf(count, "valor", "valores"))
                   .arg(QString::fromLatin1(table.text(firstRow, 0)))
                   .arg(columnName(firstColumn), QString::fromLatin1(first.data(), qsizetype(first.size()))));
}

} // namespace

int generar(const ParsedArguments &args)
{
    Parametros parametros;
    ValoresPorDefecto(parametros);
    for (const ParameterField &campo : parameterFields()) {
        const QString name = QStringLiteral("--%1").arg(QString::fromUtf8(campo.name));
        if (!args.has(name))
            continue;
        const std::optional<int16_t> value = parseParameterValue(args.value(name));
        if (!value)
            return fail(parameterValueError(name));
        campo.field(parametros) = *value;
    }
    ExperienceTable table;
    QString error;
    if (!GenerarTabla(NivelMaximo(parametros), parametros, table, &error))
        return fail(error);
    if (!writeTableArgument(args.value(QStringLiteral("-o")), table, &error))
        return fail(error);
    warnOfValuesPastTheServer(table);
    return 0;
}
