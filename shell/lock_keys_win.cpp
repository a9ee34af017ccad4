// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// Windows: the toggle bit of each lock key's state.
#include "shell/lock_keys.h"

#include <windows.h>

namespace {

class WindowsLockKeys : public LockKeySource
{
public:
    std::optional<LockKeyState> read() override
    {
        LockKeyState state;
        state.num = (GetKeyState(VK_NUMLOCK) & 1) != 0;
        state.caps = (GetKeyState(VK_CAPITAL) & 1) != 0;
        state.scroll = (GetKeyState(VK_SCROLL) & 1) != 0;
        return state;
    }
};

} // namespace

std::unique_ptr<LockKeySource> createLockKeySource()
{
    return std::make_unique<WindowsLockKeys>();
}
