// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "about/core/sys_info.h"

#include <cstring>

namespace {

// Closes the key however the lookup ends.
struct OpenKey
{
    Registry &registry;
    RegKey key;
    ~OpenKey() { registry.RegCloseKey(key); }
};

const char kKeySysInfo[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char kValSysInfo[] = "PATH";
const char kKeySysInfoLoc[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
const char kValSysInfoLoc[] = "MSINFO";

} // namespace

KeyResult GetKeyValue(Registry &registry, RegKey KeyRoot, const std::string &KeyName, const std::string &SubKeyRef,
                      std::string &KeyVal)
{
    RegKey hKey = 0;
    if (registry.RegOpenKeyExA(KeyRoot, KeyName, 0, kKeyReadMask, &hKey) != kRegSuccess) {
        KeyVal.clear();
        return KeyResult::NotRead;
    }
    OpenKey open{registry, hKey};

    unsigned char buffer[1024];
    std::memset(buffer, 0, sizeof buffer);
    uint32_t size = sizeof buffer;
    uint32_t type = 0;
    if (registry.RegQueryValueExA(hKey, SubKeyRef, &type, buffer, &size) != kRegSuccess) {
        KeyVal.clear();
        return KeyResult::NotRead;
    }
    if (size == 0)
        return KeyResult::Error;
    std::string text(reinterpret_cast<const char *>(buffer), size);
    if (text.back() == '\0')
        text.pop_back(); // a string value's terminator

    if (type == kRegSz) {
        KeyVal = text;
    } else if (type == kRegDword) {
        uint32_t number = 0;
        for (size_t i = 0; i < 4 && i < size; ++i)
            number |= uint32_t(buffer[i]) << (8 * i);
        KeyVal = std::to_string(number);
    }
    return KeyResult::Read;
}

void StartSysInfo(Registry &registry, SysInfoPlatform &platform)
{
    std::string SysInfoPath;
    KeyResult result = GetKeyValue(registry, HKEY_LOCAL_MACHINE_ROOT, kKeySysInfo, kValSysInfo, SysInfoPath);
    if (result == KeyResult::NotRead) {
        result = GetKeyValue(registry, HKEY_LOCAL_MACHINE_ROOT, kKeySysInfoLoc, kValSysInfoLoc, SysInfoPath);
        if (result != KeyResult::Read) {
            platform.tellNotAvailable();
            return;
        }
        SysInfoPath += "\\MSINFO32.EXE";
        if (!platform.fileExists(SysInfoPath)) {
            platform.tellNotAvailable();
            return;
        }
    }
    if (result == KeyResult::Error || !platform.startProgram(SysInfoPath))
        platform.tellNotAvailable();
}
