// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// Finding and starting the system information tool. Plain C++ over the
// registry and a few platform operations, so the tests can hand in doubles.

#include "about/core/registry.h"

#include <string>

enum class KeyResult {
    Read,    // the value was read
    NotRead, // no such key or value, or too long for the buffer
    Error,   // the value reported no data: the caller gives up at once
};

KeyResult GetKeyValue(Registry &registry, RegKey KeyRoot, const std::string &KeyName, const std::string &SubKeyRef,
                      std::string &KeyVal);

// What StartSysInfo needs from the platform besides the registry.
class SysInfoPlatform
{
public:
    virtual ~SysInfoPlatform() = default;
    // A plain file: not a folder, and on Windows neither hidden nor system.
    virtual bool fileExists(const std::string &path) = 0;
    // Starts the program in a normal window that takes the focus; no waiting.
    virtual bool startProgram(const std::string &path) = 0;
    // Tells the user, in a box of its own (not the main window's caption), that
    // the tool is not available: kSysInfoUnavailableMessage.
    virtual void tellNotAvailable() = 0;
};

inline constexpr char kSysInfoUnavailableMessage[] = "La información del sistema no está disponible en este momento";

void StartSysInfo(Registry &registry, SysInfoPlatform &platform);
