// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// The files a command names on its command line: "-" is standard input or
// output, any other name a file, read whole and written through a temporary
// that replaces it only once complete.

#include <QByteArray>
#include <QString>

class ByteBuffer;
class ExperienceTable;

// A file argument as messages show it: its name (see shownName), or
// "(entrada estándar)" for "-".
QString shownArgument(const QString &path);
// The same without the folders, as a title names a file.
QString shownFileName(const QString &path);

// Reads the table file at `path`, or standard input when it is "-".
bool readTableArgument(const QString &path, ExperienceTable &table, QString *error);

// Reads the bytes of the table file at `path`, or of standard input when it
// is "-", within the table reader's bounds.
bool readBytesArgument(const QString &path, ByteBuffer &bytes, QString *error);

// Writes `bytes` to the file at `path` (through a temporary that replaces it
// only once complete), or to standard output when it is "-".
bool writeBytesArgument(const QString &path, const QByteArray &bytes, QString *error);

// Warns on standard error, without failing, where `table` holds values that
// a server reading signed 32-bit values does not read as written (and that
// comprobar rejects): the first such cell and how many there are.
void warnOfValuesPastTheServer(const ExperienceTable &table);

// Writes the table file at `path` (through a temporary that replaces it only
// once complete), or to standard output when it is "-" or empty.
bool writeTableArgument(const QString &path, const ExperienceTable &table, QString *error);
