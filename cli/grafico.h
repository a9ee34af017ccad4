// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// `vandrel-exp grafico`: a picture of a table's curves, PNG, PDF or SVG.

#include <QCoreApplication>

#include <memory>

// The application object `grafico` needs: it draws without any display.
std::unique_ptr<QCoreApplication> makeChartApplication(int &argc, char **argv);
