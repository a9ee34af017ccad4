// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// Windows: the registry through advapi32's ANSI functions.
#include "about/core/registry.h"

#include <windows.h>

namespace {

class WindowsRegistry : public Registry
{
public:
    long RegOpenKeyExA(RegKey root, const std::string &subKey, uint32_t options, uint32_t samDesired,
                       RegKey *result) override
    {
        HKEY opened = nullptr;
        const LONG status = ::RegOpenKeyExA(reinterpret_cast<HKEY>(root), subKey.c_str(), options, samDesired, &opened);
        *result = reinterpret_cast<RegKey>(opened);
        return status;
    }

    long RegQueryValueExA(RegKey key, const std::string &valueName, uint32_t *type, unsigned char *data,
                          uint32_t *size) override
    {
        DWORD valueType = 0;
        DWORD bytes = *size;
        const LONG status =
            ::RegQueryValueExA(reinterpret_cast<HKEY>(key), valueName.c_str(), nullptr, &valueType, data, &bytes);
        *type = valueType;
        *size = bytes;
        return status;
    }

    long RegCloseKey(RegKey key) override { return ::RegCloseKey(reinterpret_cast<HKEY>(key)); }
};

} // namespace

std::unique_ptr<Registry> createRegistry()
{
    return std::make_unique<WindowsRegistry>();
}
