// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// Platforms with no way to read the lock keys: the panels show them greyed.
#include "shell/lock_keys.h"

std::unique_ptr<LockKeySource> createLockKeySource()
{
    return std::make_unique<NoLockKeys>();
}
