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

// The length of the well-formed UTF-8 sequence at `at` and its code point;
// 0 for a byte that starts none (a lone continuation, an overlong form, a
// surrogate, past U+10FFFF, a sequence cut short).
size_t utf8SequenceAt(std::string_view bytes, size_t at, char32_t *codePoint);

// Text with its control characters escaped.
QString shownText(const QString &text);
