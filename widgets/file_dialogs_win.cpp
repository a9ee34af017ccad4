// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "widgets/file_dialogs.h"

QFileDialog::Options fileDialogOptions()
{
    return {};
}
