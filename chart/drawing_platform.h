// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// Picks the Qt platform pictures are drawn on, before the application object
// exists: one that needs no display.
void chooseDrawingPlatform();
