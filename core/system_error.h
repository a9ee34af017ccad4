// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include <QString>

// The reason a file operation on `path` has just failed, as a message shows
// it: Qt's description `qtText`, or, on Windows, the program's own Spanish
// words for the common failures (not found, path not found, access denied,
// an invalid name, no space), which Windows would give in its display
// language. The path, where the text quotes it, in the platform's
// separators. Call it right after the failing call.
QString systemFailure(const QString &path, const QString &qtText);

// The system's reason for the error number `code` (errno; on Windows,
// GetLastError's), in the program's Spanish for the common ones and in Qt's
// words, which the program may have in Spanish, for the rest.
QString systemReason(int code);

// A failure that names its file, in the one form every message takes:
// "ARCHIVO: Motivo." (the file once, the reason with a capital and a full
// stop).
QString fileFailure(const QString &path, const QString &reason);

// The message for a folder given where a file is wanted.
QString folderGivenMessage();
