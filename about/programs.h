// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// Starting other programs, one file per platform. Plain C++, so the Windows
// side builds with a cross compiler alone.

#include <string>

// A plain file: not a folder, and on Windows neither hidden nor system.
bool isPlainFile(const std::string &path);

// Starts the program at `path` in a normal window that takes the focus,
// without waiting for it. False when it could not be started.
bool startInNormalWindow(const std::string &path);

// Opens a new mail message to `address`: on Windows the command line
// "explorer mailto:<address>", minimized; elsewhere the desktop's mail handler.
void openMailLink(const std::string &address);
