// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include "core/command_outcome.h"

class ExperienceTableModel;
class FileSnapshot;
class QWidget;

// "Abrir": choose a table file and read it into the model, and remember in
// `opened` what the file was. On failure the model keeps the table it had.
CommandOutcome openTableFile(QWidget *owner, ExperienceTableModel &model, FileSnapshot &opened);

// "G&uardar": choose a file name and write the model's table to it. Over
// the file `opened` was taken of, changed on disk since, it asks first.
CommandOutcome saveTableFile(QWidget *owner, const ExperienceTableModel &model, FileSnapshot &opened);

// "&Borrar Tabla": after a Yes, bring the model to the empty table.
CommandOutcome clearTable(QWidget *owner, ExperienceTableModel &model);
