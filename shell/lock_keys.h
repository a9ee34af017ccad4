// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include <memory>
#include <optional>

struct LockKeyState
{
    bool num = false;
    bool caps = false;
    bool scroll = false;
};

// Where the Num, Caps and Scroll Lock states come from; one file per platform.
class LockKeySource
{
public:
    virtual ~LockKeySource() = default;
    // Empty when this platform gives no way to read them.
    virtual std::optional<LockKeyState> read() = 0;
};

// Where the lock keys cannot be read (no X11 display, other platforms): the
// panels show them greyed.
class NoLockKeys : public LockKeySource
{
public:
    std::optional<LockKeyState> read() override { return std::nullopt; }
};

std::unique_ptr<LockKeySource> createLockKeySource();
