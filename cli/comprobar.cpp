// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/commands.h"

#include "cli/chain_report.h"
#include "cli/check_reports.h"
#include "cli/console.h"
#include "cli/file_arguments.h"
#include "cli/group_report.h"
#include "cli/job_files.h"
#include "core/file_name.h"
#include "core/system_error.h"
#include "server/core/table_check.h"
#include "table/core/byte_buffer.h"
#include "table/core/experience_table.h"
#include "table/core/table_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

namespace {

// Checks one table file's bytes; none past the reader's bound on rows,
// which is met only once the whole file is in.
std::optional<FileReport> checkFile(const QString &path, const ByteBuffer &bytes, ServerInteger tipo, qint64 niveles)
{
    FileReport report;
    report.path = path;
    report.check = checkTableBytes(std::string_view(bytes.data(), bytes.size()), tipo, niveles);
    if (report.check.levels > kMaxReadRows)
        return std::nullopt;
    for (const TableFinding &f : report.check.findings)
        (f.error ? report.errors : report.warnings) += 1;
    return report;
}

// comprobar's options, as types.
struct CheckOptions
{
    ServerInteger tipo = ServerInteger::Int32;
    qint64 niveles = -1; // none asked
    int maxLevel = 0, groupMaxLevel = 0;
    bool json = false, sarif = false;
};

bool readCheckOptions(const ParsedArguments &args, CheckOptions *options, QString *error)
{
    // The parser took only a listed name.
    options->tipo = *serverIntegerNamed(args.value(QStringLiteral("--tipo"), QStringLiteral("int32")));
    options->json = args.has(QStringLiteral("--json"));
    options->sarif = args.has(QStringLiteral("--sarif"));
    if (args.has(QStringLiteral("--niveles"))) {
        bool ok = false;
        options->niveles = args.value(QStringLiteral("--niveles")).toLongLong(&ok);
        // Past 65535 no server's level fits; 0 levels is no table.
        if (!ok || options->niveles < 1 || options->niveles > 65535) {
            *error = QStringLiteral("--niveles necesita un número de niveles de 1 a 65535.");
            return false;
        }
    }
    if (options->json && options->sarif) {
        *error = QStringLiteral("--json y --sarif no van juntas.");
        return false;
    }
    return serverMaxLevel(args, &options->maxLevel, error)
           && serverMaxLevel(args, &options->groupMaxLevel, error, kDefaultGroupServerMaxLevel);
}

// Whether an exp_group_db.conf may be among `operands`, for --trabajos to go
// with, said before any report: the files' first bytes tell. Standard
// input, a pipe or a device is read once, later: it may be one.
bool anyGroupFileAmong(const QStringList &operands)
{
    return operands.contains(QStringLiteral("-"))
           || std::any_of(operands.begin(), operands.end(), [](const QString &path) {
                  QFile file(path);
                  return path.endsWith(QStringLiteral(".conf"), Qt::CaseInsensitive) || !QFileInfo(path).isFile()
                         || (file.open(QIODevice::ReadOnly)
                             && looksLikeExpGroupDatabase(file.read(1 << 16).toStdString()));
              });
}

} // namespace

int comprobar(const ParsedArguments &args)
{
    CheckOptions options;
    QString error;
    if (!readCheckOptions(args, &options, &error))
        return fail(error, 2);
    const ServerInteger tipo = options.tipo;
    const qint64 niveles = options.niveles;
    const int maxLevel = options.maxLevel, groupMaxLevel = options.groupMaxLevel;
    const bool json = options.json, sarif = options.sarif;
    if (args.has(QStringLiteral("--trabajos")) && !anyGroupFileAmong(args.operands))
        return fail(QStringLiteral("Un job_db.conf (--trabajos) acompaña a un exp_group_db.conf, y no hay ninguno."),
                    2);
    const bool several = args.operands.size() > 1;
    std::vector<FileReport> reports;
    qint64 unread = 0;
    // The files that could not be read, and why: said at once, and in SARIF as the run's failures.
    std::vector<std::pair<QString, QString>> notRead;
    const auto cannotRead = [&](const QString &path, const QString &message) {
        fail(message);
        notRead.push_back({path, message});
        ++unread;
    };
    qint64 errors = 0, warnings = 0, levels = 0;
    // YAML job databases, known by their header, load as one chain in the order given.
    QStringList chainPaths;
    std::vector<std::string> chainTexts;
    // An exp_group_db.conf, with the --trabajos job_db.conf.
    std::optional<GroupReport> groups;
    std::vector<std::string> groupTexts;
    QString linksPath = args.value(QStringLiteral("--trabajos"));
    std::string linksText;
    bool linksOperand = false;
    for (const QString &path : args.operands) {
        ByteBuffer bytes;
        if (!readBytesArgument(path, bytes, &error)) {
            cannotRead(path, fileFailure(path, error));
            continue;
        }
        const std::string_view text(bytes.data() ? bytes.data() : "", bytes.size());
        if (looksLikeJobDatabase(text)) {
            chainPaths << path;
            chainTexts.emplace_back(text);
            continue;
        }
        // A job_db.conf among the operands stands for --trabajos.
        if (!looksLikeExpGroupDatabase(text) && path.endsWith(QStringLiteral(".conf"), Qt::CaseInsensitive)
            && text.find("BaseExpGroup") != std::string_view::npos) {
            if (!linksPath.isEmpty())
                return fail(QStringLiteral("La orden comprobar lee un solo job_db.conf a la vez."), 2);
            linksPath = path;
            linksText = std::string(text);
            linksOperand = true;
            continue;
        }
        if (looksLikeExpGroupDatabase(text) || path.endsWith(QStringLiteral(".conf"), Qt::CaseInsensitive)) {
            if (groups)
                return fail(QStringLiteral("La orden comprobar lee un solo exp_group_db.conf a la vez."), 2);
            groups.emplace(GroupReport{ExpGroupServer(groupMaxLevel), {path}, {}, 0, 0});
            groupTexts.emplace_back(text);
            continue;
        }
        std::optional<FileReport> checked = checkFile(path, bytes, tipo, niveles);
        if (!checked) {
            cannotRead(path, fileFailure(path, tooManyLevelsMessage()));
            continue;
        }
        FileReport &report = *checked;
        errors += report.errors;
        warnings += report.warnings;
        levels += report.check.levels;
        // Text goes out file by file; a report lost is no verdict.
        if (!json && !sarif && !printText(textOf(report, several)))
            return fail(standardOutputFailure(), 2);
        if (json || sarif)
            reports.push_back(std::move(report));
    }
    if (!linksPath.isEmpty() && !groups)
        return fail(QStringLiteral("Un job_db.conf (--trabajos) acompaña a un exp_group_db.conf, y no hay ninguno."),
                    2);
    if (groups) {
        if (args.has(QStringLiteral("--trabajos")) && !readJobFileArgument(linksPath, &linksText, &error))
            return fail(fileFailure(linksPath, error), 2);
        if (!linksPath.isEmpty()) {
            groups->paths << linksPath;
            groupTexts.push_back(std::move(linksText));
        }
        if (!loadGroupReport(*groups, std::move(groupTexts), &error)) {
            cannotRead(groups->paths.front(), error);
            groups.reset();
        } else {
            errors += groups->errors;
            warnings += groups->warnings;
            if (!json && !sarif && !printText(textOfGroups(*groups)))
                return fail(standardOutputFailure(), 2);
        }
    }
    std::optional<ChainReport> chain;
    if (!chainPaths.isEmpty()) {
        chain.emplace(ChainReport{JobChain(maxLevel), {}, {}});
        const std::vector<std::pair<QString, QString>> unreadable =
            loadChainReport(*chain, chainPaths, std::move(chainTexts),
                            args.has(QStringLiteral("--tipo")) && tipo == ServerInteger::Int32);
        for (const auto &[path, message] : unreadable)
            cannotRead(path, message);
        errors += chain->check.errors;
        warnings += chain->check.warnings;
        if (!json && !sarif && !printText(textOfChain(*chain)))
            return fail(standardOutputFailure(), 2);
    }
    bool written = true;
    const CheckReports all{std::move(reports), chain ? &*chain : nullptr, groups ? &*groups : nullptr,
                           std::move(notRead)};
    if (json) {
        written = printJson(QString::fromUtf8(QJsonDocument(jsonReport(all)).toJson(QJsonDocument::Indented)));
    } else if (sarif) {
        written = printJson(QString::fromUtf8(QJsonDocument(sarifReport(all)).toJson(QJsonDocument::Indented)));
    } else if (several
               && qint64(chainPaths.size()) + (groups ? 1 : 0) + (linksOperand ? 1 : 0)
                      < qint64(args.operands.size()) - unread) {
        written = printText(QStringLiteral("Total: %1 de %2%3\n")
                                .arg(summaryOf(errors, warnings, levels),
                                     countOf(qint64(args.operands.size()) - unread, "archivo", "archivos"),
                                     unread == 0   ? QString()
                                     : unread == 1 ? QStringLiteral("; 1 no se pudo leer")
                                                   : QStringLiteral("; %1 no se pudieron leer").arg(unread)));
    }
    if (!written)
        return fail(standardOutputFailure(), 2);
    return unread > 0 ? 2 : errors > 0 ? 1 : 0;
}
