// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// Windows console probe: runs GetKeyValue against the real registry, so the
// lookup can be checked under Wine. Usage: sysinfo_probe KEY VALUE
#include "about/core/sys_info.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    const auto registry = createRegistry();
    std::string value = "sin cambio";
    const KeyResult result = GetKeyValue(*registry, HKEY_LOCAL_MACHINE_ROOT, argv[1], argv[2], value);
    std::printf("%s|%zu|%s\n",
                result == KeyResult::Read      ? "leido"
                : result == KeyResult::NotRead ? "no leido"
                                               : "error",
                value.size(), value.c_str());
    return 0;
}
