// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// A registry held in memory, answering as advapi32 does: unknown keys and
// values fail, and a value larger than the caller's buffer gives "more data".

#include "about/core/registry.h"

#include <map>
#include <set>
#include <string>
#include <vector>

class MemoryRegistry : public Registry
{
public:
    struct Value
    {
        uint32_t type;
        std::vector<unsigned char> data;
    };

    void setString(const std::string &key, const std::string &name, const std::string &text, bool terminated = true)
    {
        std::vector<unsigned char> bytes(text.begin(), text.end());
        if (terminated)
            bytes.push_back(0);
        keys_[key][name] = {kRegSz, bytes};
    }
    void setValue(const std::string &key, const std::string &name, uint32_t type, std::vector<unsigned char> data)
    {
        keys_[key][name] = {type, std::move(data)};
    }

    long RegOpenKeyExA(RegKey root, const std::string &subKey, uint32_t options, uint32_t samDesired,
                       RegKey *result) override
    {
        lastAccessMask = samDesired;
        if (root != HKEY_LOCAL_MACHINE_ROOT || options != 0 || !keys_.count(subKey))
            return kRegFileNotFound;
        *result = nextHandle_++;
        open_[*result] = subKey;
        return kRegSuccess;
    }

    long RegQueryValueExA(RegKey key, const std::string &valueName, uint32_t *type, unsigned char *data,
                          uint32_t *size) override
    {
        queried.push_back(valueName);
        const auto &values = keys_.at(open_.at(key));
        const auto found = values.find(valueName);
        if (found == values.end())
            return kRegFileNotFound;
        const Value &value = found->second;
        *type = value.type;
        if (value.data.size() > *size) {
            *size = uint32_t(value.data.size());
            return kRegMoreData;
        }
        std::copy(value.data.begin(), value.data.end(), data);
        *size = uint32_t(value.data.size());
        return kRegSuccess;
    }

    long RegCloseKey(RegKey key) override
    {
        open_.erase(key);
        return kRegSuccess;
    }

    size_t openKeys() const { return open_.size(); }

    uint32_t lastAccessMask = 0;
    std::vector<std::string> queried;

private:
    std::map<std::string, std::map<std::string, Value>> keys_;
    std::map<RegKey, std::string> open_;
    RegKey nextHandle_ = 0x100;
};
