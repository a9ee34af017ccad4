// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/safe_write.h"

#include "core/system_error.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// A short write is not yet a failure and leaves no reason; the next one
// fails with the system's own (no space left, file too large).
bool writeAll(QFileDevice &file, const QByteArray &bytes)
{
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

bool writeInPlace(const QString &path, const QByteArray &bytes, QString *error)
{
    QFile file(path);
    // Unbuffered so that a failed write reports the system's own words; no
    // truncation until the new content is wholly written.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        *error = systemFailure(path, file.errorString());
        return false;
    }
    if (!file_system::reserveSpace(file, bytes.size(), error))
        return false;
    if (!writeAll(file, bytes) || !file.resize(bytes.size()) || !file.flush()) {
        *error = systemFailure(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace

bool writeFileBytes(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    // Unbuffered, for the system's own words on a failed write. Only a whole
    // write is committed: the temporary never replaces the former file half
    // written.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        file_system::keepOwner(path, file);
        if (!writeAll(file, bytes)) {
            *error = systemFailure(path, file.errorString());
            file.cancelWriting(); // the temporary goes, the former file stays
            return false;
        }
        if (file.commit())
            return true;
        *error = systemFailure(path, file.errorString());
        return false;
    }
    *error = systemFailure(path, file.errorString());
    // A folder that takes no temporary: a regular file that may be written
    // is written in place. Anything else keeps the first reason.
    const QFileInfo target(path);
    if (!target.isFile() || !target.isWritable() || QFileInfo(target.absolutePath()).isWritable())
        return false;
    return writeInPlace(path, bytes, error);
}
