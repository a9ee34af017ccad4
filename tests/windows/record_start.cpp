// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// Stands in for a program the editor starts (the system information tool,
// "explorer"): writes how it was started to "<its own path>.log" and ends.
#include <windows.h>

#include <cstdio>
#include <string>

int main()
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const bool shown = startup.dwFlags & STARTF_USESHOWWINDOW;
    FILE *log = std::fopen((std::string(self) + ".log").c_str(), "wb");
    if (!log)
        return 1;
    std::fprintf(log, "linea: %s\nventana: %d\n", GetCommandLineA(), shown ? int(startup.wShowWindow) : -1);
    std::fclose(log);
    return 0;
}
