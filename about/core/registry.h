// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// The three registry calls the About window's lookup makes, as Windows'
// advapi32 offers them in their ANSI form. Plain C++, so that the Windows
// side builds with a cross compiler alone.

#include <cstdint>
#include <memory>
#include <string>

using RegKey = std::uintptr_t;

inline constexpr RegKey HKEY_LOCAL_MACHINE_ROOT = 0x80000002u;
inline constexpr long kRegSuccess = 0;      // ERROR_SUCCESS
inline constexpr long kRegFileNotFound = 2; // ERROR_FILE_NOT_FOUND
inline constexpr long kRegMoreData = 234;   // ERROR_MORE_DATA
inline constexpr uint32_t kRegSz = 1;       // REG_SZ
inline constexpr uint32_t kRegDword = 4;    // REG_DWORD
// KEY_READ: a standard user may not open HKEY_LOCAL_MACHINE for writing.
inline constexpr uint32_t kKeyReadMask = 0x20019;

class Registry
{
public:
    virtual ~Registry() = default;
    virtual long RegOpenKeyExA(RegKey root, const std::string &subKey, uint32_t options, uint32_t samDesired,
                               RegKey *result) = 0;
    // `size` holds the buffer's size on entry and the bytes stored on return.
    virtual long RegQueryValueExA(RegKey key, const std::string &valueName, uint32_t *type, unsigned char *data,
                                  uint32_t *size) = 0;
    virtual long RegCloseKey(RegKey key) = 0;
};

// Windows' own registry where there is one; elsewhere a registry in which
// every lookup fails.
std::unique_ptr<Registry> createRegistry();
