// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// A finding as comprobar's JSON and SARIF give it, for every kind of file:
// a note with a place (file index, line, column), a code, whether it is an
// error, and its message.

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <algorithm>

// "error" or "aviso", as the reports say.
inline QString severityName(bool error)
{
    return error ? QStringLiteral("error") : QStringLiteral("aviso");
}

// One SARIF result: the rule by code and index, the level, the message and
// where (`region` holds startLine and, where known, startColumn).
QJsonObject sarifResult(const char *code, bool error, const QString &message, const QString &uri,
                        const QJsonObject &region);

// The findings of files named by index in `paths`, as JSON objects
// {archivo, linea, columna, gravedad, codigo, mensaje}.
template <typename Notes> QJsonArray findingsJson(const Notes &notes, const QStringList &paths)
{
    QJsonArray findings;
    for (const auto &f : notes)
        findings.append(QJsonObject{{QStringLiteral("archivo"), paths.value(f.place.file)},
                                    {QStringLiteral("linea"), f.place.line},
                                    {QStringLiteral("columna"), f.place.column},
                                    {QStringLiteral("gravedad"), severityName(f.error)},
                                    {QStringLiteral("codigo"), QString::fromLatin1(f.code)},
                                    {QStringLiteral("mensaje"), f.message}});
    return findings;
}

// The same findings as SARIF results.
template <typename Notes>
QJsonArray sarifResultsOf(const Notes &notes, const QStringList &paths, QString (*artifactUri)(const QString &))
{
    QJsonArray results;
    for (const auto &f : notes) {
        QJsonObject region{{QStringLiteral("startLine"), std::max(1, f.place.line)}};
        if (f.place.column > 0)
            region.insert(QStringLiteral("startColumn"), f.place.column);
        results.append(sarifResult(f.code, f.error, f.message, artifactUri(paths.value(f.place.file)), region));
    }
    return results;
}
