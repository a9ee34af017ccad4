// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/file_identity.h"

#include <QDir>
#include <QFileDevice>

#include <io.h>
#include <windows.h>

namespace {

FileIdentity fromHandle(HANDLE handle)
{
    BY_HANDLE_FILE_INFORMATION info = {};
    if (handle == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(handle, &info))
        return {};
    FILE_BASIC_INFO basic = {};
    const qint64 changed =
        GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic) ? basic.ChangeTime.QuadPart : 0;
    return {true,
            quint64(info.dwVolumeSerialNumber),
            (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow,
            qint64((quint64(info.nFileSizeHigh) << 32) | info.nFileSizeLow),
            qint64((quint64(info.ftLastWriteTime.dwHighDateTime) << 32) | info.ftLastWriteTime.dwLowDateTime),
            changed};
}

} // namespace

FileIdentity identityOf(const QString &path)
{
    // Attributes only: a file another program holds open is still looked at.
    const HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()),
                                      FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const FileIdentity identity = fromHandle(handle);
    if (handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
    return identity;
}

FileIdentity identityOf(const QFileDevice &file)
{
    return fromHandle(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle())));
}
