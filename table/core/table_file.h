// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include <QString>

#include <cstdint>
#include <vector>

class ByteBuffer;
class ExperienceTable;
struct FileIdentity;
class QIODevice;

// The largest table a file can hold: the row counter of the format is 16-bit.
inline constexpr int32_t kMaxSavedRows = 32767;

// What the reader takes on, far above any real table (a 1,000,000-level
// table is about 60 MB): a larger file, or one that never ends, is refused
// with a message instead of taking all the machine's memory.
inline constexpr qint64 kMaxTableFileBytes = qint64(4) << 30;
inline constexpr qint64 kMaxLineBytes = qint64(64) << 20;
inline constexpr int32_t kMaxReadRows = int32_t(1) << 26;

// Reads a table file from `device` (open for reading, at its start) to its
// end. Lines end at CR LF, LF or CR; lines without a comma are passed over;
// past fourteen fields a line wraps onto the next row; row n is labelled
// n + 1. On success `table` holds the rows read and true is returned; on
// failure `table` is left as it was and *error describes why: a device
// error, a file past the bounds above, or memory the machine cannot give.
bool LeerTabla(QIODevice &device, ExperienceTable &table, QString *error);

// Reads `device` to its end as LeerTabla does, within the same bounds and
// with the same messages, without cutting rows: the bytes of a table file
// whole, for whatever reads them otherwise. On failure `bytes` is unchanged.
bool readTableBytes(QIODevice &device, ByteBuffer &bytes, QString *error);

// Writes the comment line and every table row, fourteen fields and CR LF
// each. Refuses, writing nothing, a table of more than kMaxSavedRows rows.
bool GuardarTabla(QIODevice &device, const ExperienceTable &table, QString *error);

// The comment line's text, without its line end.
QByteArray commentLine();

// Opens, reads and closes the file at `path`; see LeerTabla. What is no
// regular file or folder (a named pipe, a socket, a device) is refused with
// notAPlainFileMessage() before it is opened. On success, *identity (where
// given) holds the identity of the file as it was read.
bool readTableFile(const QString &path, ExperienceTable &table, QString *error, FileIdentity *identity = nullptr);

// Opens, reads and closes the file at `path`; see readTableBytes.
bool readTableFileBytes(const QString &path, ByteBuffer &bytes, QString *error);

// Writes the file at `path` as writeFileBytes does (core/safe_write.h): on
// failure the former file is left exactly as it was.
bool writeTableFile(const QString &path, const ExperienceTable &table, QString *error);

// The 1-based line of the file on which each of `rows` (ascending) begins,
// for a table as LeerTabla read it; 0 for a row not read from the file.
// Line ends are counted as the reader counts them: CR LF, LF or CR.
std::vector<qint64> fileLinesOfRows(const ExperienceTable &table, const std::vector<int32_t> &rows);

// The message given for a named pipe, a socket or a device.
QString notAPlainFileMessage();

// The message given for a file of more than kMaxReadRows levels.
QString tooManyLevelsMessage();

// The message given for a table too large to save.
QString tooManyRowsMessage(int32_t tableRows);
