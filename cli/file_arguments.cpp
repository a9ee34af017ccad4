// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/file_arguments.h"

#include "cli/console.h"
#include "core/file_name.h"
#include "core/safe_write.h"
#include "core/system_error.h"
#include "table/core/experience_table.h"
#include "table/core/table_file.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

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

} // namespace

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
    printError(
        QStringLiteral("vandrel-exp: aviso: %1 no %2 en un entero de 32 bits con signo, como los lee el "
                       "servidor; el primero, en el nivel %3, columna %4: %5. comprobar rechazará la "
                       "tabla.\n")
            .arg(countOf(count, "valor", "valores"), count == 1 ? QStringLiteral("cabe") : QStringLiteral("caben"))
            .arg(QString::fromLatin1(table.text(firstRow, 0)))
            .arg(columnName(firstColumn), QString::fromLatin1(first.data(), qsizetype(first.size()))));
}

QString shownArgument(const QString &path)
{
    return path == QStringLiteral("-") ? QStringLiteral("(entrada estándar)") : shownName(path);
}

QString shownFileName(const QString &path)
{
    return shownArgument(path == QStringLiteral("-") ? path : QFileInfo(path).fileName());
}

namespace {

// A save of this file was interrupted and its backup stayed: said before
// the file is written again, so the admin learns of it before it matters.
void warnOfLeftoverBackup(const QString &path)
{
    if (const QString backup = leftoverBackupOf(path); !backup.isEmpty())
        printError(QStringLiteral("vandrel-exp: aviso: %1\n").arg(fileFailure(path, leftoverBackupMessage(backup))));
}

} // namespace

bool writeBytesArgument(const QString &path, const QByteArray &bytes, QString *error)
{
    if (path == QStringLiteral("-"))
        return writeStandardOutput(bytes, error);
    warnOfLeftoverBackup(path);
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
        warnOfLeftoverBackup(path);
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
