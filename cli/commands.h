// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// The companion tool's commands: each takes the arguments after its name
// and returns the process's exit status.

#include <QStringList>

// generar [--NobBase N ... --IncNextJob N] [-o ARCHIVO]: exit 0, or 1 on failure.
int generar(const QStringList &args);

// normalizar ENTRADA SALIDA: exit 0, or 1 on failure.
int normalizar(const QStringList &args);

// comprobar ARCHIVO [--tipo int32|uint32|int64] [--niveles N] [--json]
// Exit 0 without errors, 1 with at least one, 2 when the file cannot be read.
int comprobar(const QStringList &args);

// comparar A B: exit 0 when equal in every cell, 1 when not, 2 when a file
// cannot be read.
int comparar(const QStringList &args);

// grafico ARCHIVO -o SALIDA [--formato png|pdf|svg] [--escala log|lineal]:
// exit 0, or 1 on failure. Needs the application object of grafico.h.
int grafico(const QStringList &args);
