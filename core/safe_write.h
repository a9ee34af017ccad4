// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include <QByteArray>
#include <QString>

class QFileDevice;

// Writes `bytes` as the whole file at `path`. The rule is atomic
// replacement: a temporary beside the file takes the bytes and replaces the
// file only once complete, with the former file's mode and, where the
// process may set them, its owner and group. Where the folder takes no
// temporary but the file itself may be written, the file is written in
// place, once the space the new content needs has been reserved, so that a
// full disk is found before the former content is touched. On failure
// *error holds the system's reason and the former file is left as it was.
bool writeFileBytes(const QString &path, const QByteArray &bytes, QString *error);

// Platform services of the writer, one file per platform.
namespace file_system {

// Gives the open replacement the owner and group of the file at
// `existingPath`, where the process may; a refusal is no failure.
void keepOwner(const QString &existingPath, QFileDevice &replacement);

// Makes sure the open file has room for `size` bytes before any byte of it
// is overwritten. False, with the system's reason, when the disk or a limit
// has no room.
bool reserveSpace(QFileDevice &file, qint64 size, QString *error);

} // namespace file_system
