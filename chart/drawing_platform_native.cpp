// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "chart/drawing_platform.h"

// Windows always has a desktop to draw fonts with, and its platform is the
// one linked in: nothing to choose.
void chooseDrawingPlatform() {}
