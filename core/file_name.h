// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// File names as the system gives them. On POSIX a name is bytes, and a
// QString path cannot carry bytes that are not UTF-8 (QFile::decodeName
// turns each into U+FFFD, so two names become one, and a file nobody named
// is read or written). The tool keeps each such byte as a lone surrogate,
// U+DC80 to U+DCFF, and gives it back to the system unchanged: every call
// that takes a name goes through systemName(), and opens by descriptor. On
// Windows a name is UTF-16 and QString holds it as it is.

#include <QIODevice>
#include <QString>

#include <string_view>

class QFile;

// A name the system gave, UTF-8 where it is, each other byte kept.
QString nameFromSystem(std::string_view bytes);

// The bytes of a name for the system's calls: the exact inverse of
// nameFromSystem(), and UTF-8 for any other text.
QByteArray systemName(const QString &name);

// A name as messages show it: bytes that are not UTF-8 and control
// characters escaped (a\xf1o.txt).
QString shownName(const QString &name);

// What a name is, links followed, without opening it (a FIFO's open waits
// for a writer). Unknown when the system cannot tell: the open says why.
enum class FileKind { Unknown, Regular, Folder, Other };
FileKind kindOf(const QString &name);

// Opens an existing file by its name's exact bytes (ReadOnly or ReadWrite;
// nothing is created). On failure `reason` holds the system's reason.
bool openNamed(QFile &file, const QString &name, QIODevice::OpenMode mode, QString *reason);
