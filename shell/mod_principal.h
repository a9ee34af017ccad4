// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

class frmIntro;
class frmPrincipal;

// The windows start-up leaves behind.
struct Startup
{
    frmPrincipal *principal; // hidden until the splash hands over
    frmIntro *intro;         // shown
};

// Start-up: default parameters, the title, the main window created hidden,
// the splash window created and shown. The caller owns the main window.
Startup Main();
