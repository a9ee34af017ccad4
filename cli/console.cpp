// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/console.h"

#include "core/file_name.h"
#include "core/safe_write.h"
#include "core/shown_text.h"
#include "core/system_error.h"
#include "table/core/experience_table.h"
#include "table/core/table_file.h"

#include <QBuffer>
#include <QFile>

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

bool writeBytesArgument(const QString &path, const QByteArray &bytes, QString *error)
{
    if (path == QStringLiteral("-"))
        return writeStandardOutput(bytes, error);
    if (writeFileBytes(path, bytes, error))
        return true;
    *error = fileFailure(path, *error);
    return false;
}

namespace {

bool openInput(const QString &path, QFile &input, QString *error)
{
    // Standard input by its descriptor, not its FILE: on Windows a QFile over
    // a FILE reports the end of a pipe as a read error.
    if (path == QStringLiteral("-")) {
        if (input.open(0, QIODevice::ReadOnly))
            return true;
        *error = input.errorString();
        return false;
    }
    if (kindOf(path) == FileKind::Folder) {
        *error = folderGivenMessage();
        return false;
    }
    return openNamed(input, path, QIODevice::ReadOnly, error);
}

} // namespace

bool readTableArgument(const QString &path, ExperienceTable &table, QString *error)
{
    QFile input;
    return openInput(path, input, error) && LeerTabla(input, table, error);
}

bool readBytesArgument(const QString &path, ByteBuffer &bytes, QString *error)
{
    QFile input;
    return openInput(path, input, error) && readTableBytes(input, bytes, error);
}

bool writeTableArgument(const QString &path, const ExperienceTable &table, QString *error)
{
    if (!path.isEmpty() && path != QStringLiteral("-")) {
        if (writeTableFile(path, table, error))
            return true;
        *error = fileFailure(path, *error); // the message names the file
        return false;
    }
    // Whole in memory first: a refused table writes nothing at all.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    return GuardarTabla(buffer, table, error) && writeStandardOutput(buffer.data(), error);
}
