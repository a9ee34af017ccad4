// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// Platforms without a registry: every key is missing.
#include "about/core/registry.h"

namespace {

class AbsentRegistry : public Registry
{
public:
    long RegOpenKeyExA(RegKey, const std::string &, uint32_t, uint32_t, RegKey *result) override
    {
        *result = 0;
        return kRegFileNotFound;
    }
    long RegQueryValueExA(RegKey, const std::string &, uint32_t *, unsigned char *, uint32_t *) override
    {
        return kRegFileNotFound;
    }
    long RegCloseKey(RegKey) override { return kRegSuccess; }
};

} // namespace

std::unique_ptr<Registry> createRegistry()
{
    return std::make_unique<AbsentRegistry>();
}
