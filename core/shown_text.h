// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// Text that is safe to print on a terminal and in line-based output: what a
// table or a file name holds is shown as it is, but control characters and
// bytes that are not UTF-8 are written escaped (\x1b, \n, \t, \r, \xf1), so
// that a cell cannot drive the admin's terminal or split a report's line.

#include <QString>

#include <string_view>

// Bytes as UTF-8 where they are, escaped where they are not, and control
// characters escaped.
QString shownBytes(std::string_view bytes);

// Text with its control characters escaped.
QString shownText(const QString &text);
