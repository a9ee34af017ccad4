// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/commands.h"

#include "cli/comparison_report.h"
#include "cli/console.h"
#include "cli/file_arguments.h"
#include "core/file_name.h"
#include "core/system_error.h"
#include "table/core/experience_table.h"
#include "table/core/table_comparison.h"

#include <exception>
#include <system_error>
#include <thread>

namespace {

// Reads the two tables at once, B on a thread of its own: reading is nearly
// all the work. Standard input is read by one reader only. The exit status
// 2 when a file cannot be read, else 0.
int readBoth(const QStringList &args, ExperienceTable &a, ExperienceTable &b)
{
    QString errorA, errorB;
    bool readB = false;
    std::exception_ptr failureB;
    const auto readSecond = [&] {
        try {
            readB = readTableArgument(args[1], b, &errorB);
        } catch (...) {
            failureB = std::current_exception(); // the command's own handler reports it
        }
    };
    std::thread second;
    if (args[0] != QStringLiteral("-") && args[1] != QStringLiteral("-")) {
        try {
            second = std::thread(readSecond);
        } catch (const std::system_error &) {
            // No thread to be had: one after the other.
        }
    }
    const bool readA = readTableArgument(args[0], a, &errorA);
    if (second.joinable())
        second.join();
    else if (readA)
        readSecond();
    if (failureB)
        std::rethrow_exception(failureB);
    if (!readA)
        return fail(fileFailure(args[0], errorA), 2);
    if (!readB)
        return fail(fileFailure(args[1], errorB), 2);
    return 0;
}

} // namespace

int comparar(const ParsedArguments &parsed)
{
    const QStringList &args = parsed.operands;
    ExperienceTable a, b;
    if (const int status = readBoth(args, a, b))
        return status;
    const TableComparison comparison = compareTables(a, b);
    if (!printText(comparisonText(comparison, a, b, shownName(args[0]), shownName(args[1]))))
        return fail(standardOutputFailure(), 2); // 1 would say "they differ"
    return comparison.equal() ? 0 : 1;
}
