// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/commands.h"

#include "cli/console.h"
#include "cli/file_arguments.h"
#include "generation/core/generador.h"
#include "generation/core/parametros.h"
#include "table/core/experience_table.h"

int generar(const ParsedArguments &args)
{
    Parametros parametros;
    ValoresPorDefecto(parametros);
    for (const ParameterField &parameter : parameterFields()) {
        const QString name = QStringLiteral("--%1").arg(QString::fromUtf8(parameter.name));
        if (!args.has(name))
            continue;
        const std::optional<int16_t> value = parseParameterValue(args.value(name));
        if (!value)
            return fail(parameterValueError(name));
        parameter.field(parametros) = *value;
    }
    ExperienceTable table;
    QString error;
    if (!GenerarTabla(NivelMaximo(parametros), parametros, table, &error))
        return fail(error);
    if (args.has(QStringLiteral("--cortar")))
        cutAtMaximumLevels(parametros, table);
    if (!writeTableArgument(args.value(QStringLiteral("-o")), table, &error))
        return fail(error);
    warnOfValuesPastTheServer(table);
    return 0;
}
