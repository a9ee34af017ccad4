// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// Windows: file attributes and CreateProcessA.
#include "about/programs.h"

#include <windows.h>

#include <vector>

namespace {

// `application`, where given, is the program's path as it is: Windows then
// does not split the command line at a space to guess the program (with
// "C:\Program Files\..." unquoted it would start "C:\Program.exe").
bool startProcess(const char *application, std::string commandLine, WORD showWindow)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showWindow;
    PROCESS_INFORMATION process{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!CreateProcessA(application, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread); // nobody waits for it
    CloseHandle(process.hProcess);
    return true;
}

} // namespace

bool isPlainFile(const std::string &path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES
           && !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

bool startInNormalWindow(const std::string &path)
{
    return !path.empty() && startProcess(path.c_str(), '"' + path + '"', SW_SHOWNORMAL);
}

void openMailLink(const std::string &address)
{
    startProcess(nullptr, "explorer mailto:" + address, SW_SHOWMINIMIZED); // found on the search path
}
