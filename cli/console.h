// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// The companion tool's standard streams: bytes (tables, pictures) go out
// unchanged on every platform (no CR added before LF on Windows); texts
// (messages, reports) as writeText says: UTF-8 here; on Windows, to a
// console in its own characters and to a file or a pipe in the console's
// code page.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdio>

// Puts the standard streams in binary mode where the platform needs it, and
// gives a closed one a stand-in that fails every write (so that no file the
// command opens takes its place). Called once, first thing.
void prepareConsole();

// The program's arguments, the program's name first, as the system gave
// them: on POSIX each a name of bytes (see core/file_name.h), so that a
// Latin-1 file name reaches the system byte for byte; on Windows the UTF-16
// arguments, whole (argv is only the ANSI code page there).
QStringList commandArguments(int argc, char **argv);

// How a text goes to a file or a pipe on Windows: in the code page of the
// console the process runs in, as `type`, `more` and a batch file's `for /f`
// read it (UTF-8 where it has none); or always in UTF-8 (JSON's own rule).
enum class TextEncoding { Console, Utf8 };

// Whether the program is the only one on its console: started by a double
// click, in a console window of its own that closes when it ends.
bool aloneOnItsConsole();

// Asks for a key and waits for it, so that such a window stays to be read.
void waitForKeyPress();

// Writes a text (a message, a report) to `stream` whole, in one call: UTF-8
// bytes here; on Windows, a console's own wide-character call when the
// stream is a console, else bytes as `encoding` says with lines ending in
// CR LF. Tables and pictures are bytes and go through writeStandardOutput
// instead. False when the stream took less than the whole text.
bool writeText(FILE *stream, const QString &text, TextEncoding encoding = TextEncoding::Console);

// "1 error", "2 errores": a count and its noun, in the singular for one.
QString countOf(qint64 count, const char *singular, const char *plural);

// "vandrel-exp: <message>" on standard error; returns `status`.
int fail(const QString &message, int status = 1);

// Text for standard output, as writeText writes it; false when standard
// output could not take it whole (a full disk, a closed stream).
[[nodiscard]] bool printText(const QString &text);
// The same for JSON and SARIF: UTF-8 wherever it goes.
[[nodiscard]] bool printJson(const QString &text);
void printError(const QString &text);

// The message for a standard output that took less than it was given.
QString standardOutputFailure();

// All of `bytes` to standard output; false, with the reason, when it could not.
bool writeStandardOutput(const QByteArray &bytes, QString *error);

// A document in UTF-8 (the YAML database) to standard output: to a console
// as text, which it shows whatever its code page; to a file or a pipe, its
// bytes unchanged.
bool writeDocumentOutput(const QByteArray &utf8, QString *error);
