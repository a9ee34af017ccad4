// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/console.h"

#include <QCoreApplication>

#include <algorithm>
#include <conio.h>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <windows.h>

void prepareConsole()
{
    // Tables are bytes: text mode would write CR CR LF for each CR LF. The
    // console's code page is left as the user has it: messages reach a
    // console through its wide-character call (writeText).
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

bool aloneOnItsConsole()
{
    DWORD processes[2] = {};
    return GetConsoleProcessList(processes, 2) == 1;
}

void waitForKeyPress()
{
    writeText(stdout, QStringLiteral("\nPulse una tecla para cerrar esta ventana."));
    _getch();
}

QStringList commandArguments(int, char **)
{
    return QCoreApplication::arguments(); // Qt reads them from GetCommandLineW
}

namespace {

// `text` in the console's output code page where the process has a console
// and it is not UTF-8; a character the page lacks becomes "?".
QByteArray encodedFor(const QString &text, TextEncoding encoding)
{
    const UINT page = encoding == TextEncoding::Console ? GetConsoleOutputCP() : 0;
    if (page == 0 || page == CP_UTF8)
        return text.toUtf8();
    const std::wstring wide = text.toStdWString();
    const int size = WideCharToMultiByte(page, 0, wide.data(), int(wide.size()), nullptr, 0, "?", nullptr);
    QByteArray bytes(size, Qt::Uninitialized);
    if (size > 0
        && WideCharToMultiByte(page, 0, wide.data(), int(wide.size()), bytes.data(), size, "?", nullptr) == size)
        return bytes;
    return text.toUtf8();
}

} // namespace

bool writeText(FILE *stream, const QString &text, TextEncoding encoding)
{
    std::fflush(stream); // bytes written before keep their place
    QString lines = text;
    lines.replace(QStringLiteral("\n"), QStringLiteral("\r\n")); // Windows text, as Notepad reads it
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr)
        return false;
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        // A console: UTF-16 whole, whatever its code page; a byte at a time
        // would split every accented letter into two glyphs.
        const std::wstring wide = lines.toStdWString();
        for (size_t done = 0; done < wide.size();) {
            const DWORD chunk = DWORD(std::min<size_t>(wide.size() - done, 16384));
            DWORD written = 0;
            if (!WriteConsoleW(handle, wide.data() + done, chunk, &written, nullptr) || written == 0)
                return false;
            done += written;
        }
        return true;
    }
    // Redirected to a file or a pipe: bytes as the console's programs read
    // them, in as few calls as the system takes.
    const QByteArray bytes = encodedFor(lines, encoding);
    for (qsizetype done = 0; done < bytes.size();) {
        DWORD written = 0;
        if (!WriteFile(handle, bytes.constData() + done, DWORD(bytes.size() - done), &written, nullptr) || written == 0)
            return false;
        done += qsizetype(written);
    }
    return true;
}

bool writeDocumentOutput(const QByteArray &utf8, QString *error)
{
    DWORD mode = 0;
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stdout)));
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr || !GetConsoleMode(handle, &mode))
        return writeStandardOutput(utf8, error); // a file or a pipe: the document as it is
    if (writeText(stdout, QString::fromUtf8(utf8)))
        return true;
    *error = standardOutputFailure();
    return false;
}
