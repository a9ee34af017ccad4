// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/console.h"

#include "core/shown_text.h"

#include <cstdio>

QString countOf(qint64 count, const char *singular, const char *plural)
{
    return QStringLiteral("%1 %2").arg(count).arg(QString::fromUtf8(count == 1 ? singular : plural));
}

int fail(const QString &message, int status)
{
    // Names and values in a message come from files and the command line:
    // one message, one line, nothing a terminal acts on.
    printError(QStringLiteral("vandrel-exp: %1\n").arg(shownText(message)));
    return status;
}

bool printText(const QString &text)
{
    return writeText(stdout, text);
}

bool printJson(const QString &text)
{
    return writeText(stdout, text, TextEncoding::Utf8);
}

void printError(const QString &text)
{
    (void)writeText(stderr, text); // where messages cannot go, nothing can say so
}

QString standardOutputFailure()
{
    return QStringLiteral("No se pudo escribir en la salida estándar.");
}

bool writeStandardOutput(const QByteArray &bytes, QString *error)
{
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size())
        || std::fflush(stdout) != 0) {
        *error = standardOutputFailure();
        return false;
    }
    return true;
}
