// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/commands.h"

#include "cli/console.h"
#include "core/shown_text.h"
#include "table/core/byte_buffer.h"
#include "table/core/table_check.h"
#include "table/core/table_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <string_view>
#include <vector>

int comprobar(const ParsedArguments &args)
{
    const QString tipo = args.value(QStringLiteral("--tipo"), QStringLiteral("int32")).toLower();
    const bool json = args.has(QStringLiteral("--json"));
    qint64 niveles = -1;
    if (args.has(QStringLiteral("--niveles"))) {
        bool ok = false;
        niveles = args.value(QStringLiteral("--niveles")).toLongLong(&ok);
        if (!ok || niveles < 0)
            return fail(QStringLiteral("--niveles necesita un número de niveles."), 2);
    }
    const QString path = args.operands.value(0);
    const std::string_view largest = largestOfType(tipo);
    if (largest.empty())
        return fail(QStringLiteral("--tipo admite int32, uint32 o int64."), 2);
    if (path.isEmpty())
        return fail(QStringLiteral("comprobar necesita un archivo."), 2);

    ByteBuffer bytes;
    QString error;
    if (!readBytesArgument(path, bytes, &error))
        return fail(QStringLiteral("%1: %2").arg(path, error), 2);

    TableCheck check = checkTableBytes(std::string_view(bytes.data(), bytes.size()), largest, tipo);
    if (check.levels > kMaxReadRows) // the reader's bound on rows, met only once the whole file is in
        return fail(QStringLiteral("%1: %2").arg(path, tooManyLevelsMessage()), 2);
    std::vector<TableFinding> &findings = check.findings;
    if (niveles >= 0 && check.levels != niveles)
        findings.push_back(
            {std::max<qint64>(check.lines, 1), 0, true, "niveles",
             QStringLiteral("la tabla tiene %1 niveles y se esperaban %2").arg(check.levels).arg(niveles), 0});

    qint64 errors = 0, warnings = 0;
    for (const TableFinding &f : findings)
        (f.error ? errors : warnings) += 1;
    if (json) {
        QJsonArray list;
        for (const TableFinding &f : findings)
            list.append(
                QJsonObject{{QStringLiteral("linea"), f.line},
                            {QStringLiteral("campo"), f.field},
                            {QStringLiteral("gravedad"), f.error ? QStringLiteral("error") : QStringLiteral("aviso")},
                            {QStringLiteral("codigo"), QString::fromLatin1(f.code)},
                            {QStringLiteral("mensaje"), f.message}});
        const QJsonObject document{{QStringLiteral("archivo"), path},
                                   {QStringLiteral("niveles"), check.levels},
                                   {QStringLiteral("hallazgos"), list}};
        if (!printText(QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented))))
            return fail(standardOutputFailure(), 2); // a report lost is no verdict
    } else {
        QString out;
        const QString shownPath = shownText(path); // a newline in a name cannot split a finding's line
        for (const TableFinding &f : findings)
            out += QStringLiteral("%1:%2:%3: %4: %5\n")
                       .arg(shownPath)
                       .arg(f.line)
                       .arg(f.field)
                       .arg(f.error ? QStringLiteral("error") : QStringLiteral("aviso"), f.message);
        out += QStringLiteral("%1, %2 en %3\n")
                   .arg(countOf(errors, "error", "errores"), countOf(warnings, "aviso", "avisos"),
                        countOf(check.levels, "nivel", "niveles"));
        if (!printText(out))
            return fail(standardOutputFailure(), 2);
    }
    return errors > 0 ? 1 : 0;
}
