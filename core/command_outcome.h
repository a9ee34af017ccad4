// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include <QString>

// How a command of the editor's menus ended (open, save, clear, generate).
// The main window turns Done into the command state's next step and shows
// Failed's message; Cancelled changes nothing.
struct CommandOutcome
{
    enum Kind { Done, Cancelled, Failed };
    Kind kind = Cancelled;
    QString message; // Failed only: the text to show
};
