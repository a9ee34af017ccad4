// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include <QCoreApplication>

#include <memory>

// An application object that can draw pictures with no display at all.
std::unique_ptr<QCoreApplication> makeDrawingApplication(int &argc, char **argv);
