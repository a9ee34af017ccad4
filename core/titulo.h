// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include <QString>

// "Vandrel EXP Editor v<major>.<minor>".
QString ConstruirTitulo(int major, int minor);

// The product title of this build, built once from the project version.
const QString &Titulo();
