// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/console.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

void prepareConsole()
{
    // Tables are bytes: text mode would write CR CR LF for each CR LF.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8); // the messages' accents, in a console window
}
