// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include <QFileDialog>

// The file dialogs as each platform has them: Windows' own open and save
// dialogs there; elsewhere Qt's dialog, the same on every desktop.
QFileDialog::Options fileDialogOptions();
