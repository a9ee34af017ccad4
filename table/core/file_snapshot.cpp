// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "table/core/file_snapshot.h"

#include "table/core/byte_buffer.h"
#include "table/core/table_file.h"

#include <QByteArrayView>
#include <QFileInfo>
#include <QHash>

namespace {

size_t hashOf(std::string_view bytes)
{
    return qHash(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

} // namespace

FileSnapshot FileSnapshot::of(const QString &path, const QFileDevice &file, std::string_view bytes)
{
    FileSnapshot snapshot;
    snapshot.path_ = QFileInfo(path).canonicalFilePath();
    snapshot.identity_ = identityOf(file);
    snapshot.hash_ = hashOf(bytes);
    if (!snapshot.identity_.exists)
        snapshot.path_.clear();
    return snapshot;
}

FileSnapshot FileSnapshot::ofFileNow(const QString &path)
{
    FileSnapshot snapshot;
    ByteBuffer bytes;
    QString error;
    const FileIdentity identity = identityOf(path);
    if (!identity.exists || !readTableFileBytes(path, bytes, &error))
        return snapshot;
    snapshot.path_ = QFileInfo(path).canonicalFilePath();
    snapshot.identity_ = identity;
    snapshot.hash_ = hashOf({bytes.data(), bytes.size()});
    return snapshot;
}

bool FileSnapshot::isOf(const QString &path) const
{
    return isTaken() && QFileInfo(path).canonicalFilePath() == path_;
}

bool FileSnapshot::changedOnDisk() const
{
    const FileIdentity now = identityOf(path_);
    if (!isTaken() || !now.exists || now == identity_)
        return false;
    ByteBuffer bytes;
    QString error;
    if (!readTableFileBytes(path_, bytes, &error))
        return true;
    return qint64(bytes.size()) != identity_.size || hashOf({bytes.data(), bytes.size()}) != hash_;
}
