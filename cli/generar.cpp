// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/commands.h"

#include "cli/console.h"
#include "generation/core/generador.h"
#include "generation/core/parametros.h"
#include "table/core/experience_table.h"

int generar(const QStringList &args)
{
    Parametros parametros;
    ValoresPorDefecto(parametros);
    QString output;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == QStringLiteral("-o")) {
            if (++i == args.size())
                return fail(QStringLiteral("falta el nombre del archivo después de -o."));
            output = args[i];
            continue;
        }
        const int campo =
            arg.startsWith(QStringLiteral("--")) ? parameterFieldIndex(arg.mid(2).toUtf8().constData()) : -1;
        if (campo < 0)
            return refuseArgument(arg);
        if (++i == args.size())
            return fail(QStringLiteral("falta el valor de %1.").arg(arg));
        const std::optional<int16_t> value = parseParameterValue(args[i]);
        if (!value)
            return fail(parameterValueError(arg));
        parameterFields()[size_t(campo)].field(parametros) = *value;
    }
    ExperienceTable table;
    QString error;
    if (!GenerarTabla(NivelMaximo(parametros), parametros, table, &error))
        return fail(error);
    return writeTableArgument(output, table, &error) ? 0 : fail(error);
}
