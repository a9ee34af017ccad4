// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "table/core/file_snapshot.h"

#include "core/word_bytes.h"
#include "table/core/byte_buffer.h"
#include "table/core/table_file.h"

#include <QFileInfo>

#include <bit>

namespace {

// A hash for telling a change, not for security: four lanes of
// multiply-and-rotate over eight-byte words keep pace with reading the
// file (qHash took three times as long as the whole read of a 150 MB table).
uint64_t hashOf(std::string_view bytes)
{
    constexpr uint64_t kPrimes[4] = {0x9E3779B185EBCA87ull, 0xC2B2AE3D27D4EB4Full, 0x165667B19E3779F9ull,
                                     0x85EBCA77C2B2AE63ull};
    uint64_t lanes[4] = {kPrimes[1], kPrimes[2], kPrimes[3], kPrimes[0]};
    const char *const data = bytes.data();
    size_t at = 0;
    for (; at + 32 <= bytes.size(); at += 32)
        for (int lane = 0; lane < 4; ++lane)
            lanes[lane] = std::rotl((lanes[lane] ^ littleEndianWord(data + at + 8 * lane)) * kPrimes[lane], 31);
    for (; at < bytes.size(); ++at)
        lanes[at % 4] = std::rotl((lanes[at % 4] ^ uint8_t(data[at])) * kPrimes[at % 4], 31);
    uint64_t hash = bytes.size();
    for (int lane = 0; lane < 4; ++lane)
        hash = std::rotl((hash ^ lanes[lane]) * kPrimes[(lane + 1) % 4], 27);
    return hash ^ (hash >> 32);
}

} // namespace

FileSnapshot FileSnapshot::of(const QString &path, const FileIdentity &identity, std::string_view bytes)
{
    FileSnapshot snapshot;
    snapshot.path_ = QFileInfo(path).canonicalFilePath();
    snapshot.identity_ = identity;
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
    return isTaken() && (QFileInfo(path).canonicalFilePath() == path_ || identityOf(path).isSameFile(identity_));
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
