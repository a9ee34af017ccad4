// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/console.h"

#include "core/file_name.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

void prepareConsole()
{
    // Standard streams carry bytes unchanged and terminals take UTF-8 here.
    // A closed one (a script's >&-) would be the next file the command
    // opens, and a report would land in a table: it gets a stand-in opened
    // the wrong way round, on which every write fails, as on the closed one.
    for (int fd = 0; fd <= 2; ++fd)
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF)
            ::open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY); // takes the lowest number: fd
}

QStringList commandArguments(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments += nameFromSystem(argv[i]);
    return arguments;
}

bool aloneOnItsConsole()
{
    return false; // a terminal's programs run in the shell that started them
}

void waitForKeyPress() {}

bool writeText(FILE *stream, const QString &text, TextEncoding)
{
    const QByteArray bytes = text.toUtf8();
    const bool whole = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) == size_t(bytes.size());
    return std::fflush(stream) == 0 && whole;
}

bool writeDocumentOutput(const QByteArray &utf8, QString *error)
{
    return writeStandardOutput(utf8, error); // terminals here take UTF-8
}
