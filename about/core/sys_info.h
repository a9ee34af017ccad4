// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// Finding and starting the system information tool. Plain C++ over the
// registry and a few platform operations, so the tests can hand in doubles.

#include "about/core/registro.h"

#include <string>

enum class ResultadoClave {
    Leido,   // the value was read
    NoLeido, // no such key or value, or too long for the buffer
    Error,   // the value reported no data: the caller gives up at once
};

ResultadoClave GetKeyValue(Registro &registro, RegKey KeyRoot, const std::string &KeyName, const std::string &SubKeyRef,
                           std::string &KeyVal);

// What StartSysInfo needs from the platform besides the registry.
class PlataformaSysInfo
{
public:
    virtual ~PlataformaSysInfo() = default;
    // A plain file: not a folder, and on Windows neither hidden nor system.
    virtual bool existeArchivo(const std::string &path) = 0;
    // Starts the program in a normal window that takes the focus; no waiting.
    virtual bool iniciarPrograma(const std::string &path) = 0;
    // Tells the user, in a box of its own (not the main window's caption), that
    // the tool is not available: kMensajeSinSysInfo.
    virtual void avisarNoDisponible() = 0;
};

inline constexpr char kMensajeSinSysInfo[] = "La información del sistema no está disponible en este momento";

void StartSysInfo(Registro &registro, PlataformaSysInfo &plataforma);
