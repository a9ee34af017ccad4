// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "cli/commands.h"

#include "cli/chain_report.h"
#include "cli/console.h"
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

// One file's check, or why it could not be read.
struct FileReport
{
    QString path;
    bool read = false;
    TableCheck check;
    qint64 errors = 0, warnings = 0;
};

QString summaryOf(qint64 errors, qint64 warnings, qint64 levels)
{
    return QStringLiteral("%1, %2 en %3")
        .arg(countOf(errors, "error", "errores"), countOf(warnings, "aviso", "avisos"),
             countOf(levels, "nivel", "niveles"));
}

QString severityOf(const TableFinding &f)
{
    return f.error ? QStringLiteral("error") : QStringLiteral("aviso");
}

// The lines of one file: its findings, then its summary, named when there
// are several files.
QString textOf(const FileReport &report, bool several)
{
    QString out;
    const QString shownPath = shownName(report.path); // a newline in a name cannot split a finding's line
    for (const TableFinding &f : report.check.findings)
        out +=
            QStringLiteral("%1:%2:%3: %4: %5\n").arg(shownPath).arg(f.line).arg(f.field).arg(severityOf(f), f.message);
    // Where each group ends for the server, then the count, last as ever.
    QStringList lastLevels;
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column)
        lastLevels << QStringLiteral("%1 %2").arg(columnName(column)).arg(report.check.lastLevels[size_t(column - 1)]);
    const QString named = several ? shownPath + QStringLiteral(": ") : QString();
    return out + named + QStringLiteral("Último nivel: ") + lastLevels.join(QStringLiteral(", ")) + u'\n' + named
           + summaryOf(report.errors, report.warnings, report.check.levels) + u'\n';
}

// The placeholder of the last levels in a JSON report: QJsonObject keeps its
// keys sorted, and the object lists the groups in column order.
constexpr char16_t kLastLevelsMark[] = u"\u0001ultimo_nivel\u0001";

// The object of the last levels, in column order, as JSON text.
QByteArray lastLevelsJson(const TableCheck &check, int indent)
{
    const QByteArray pad(indent, ' ');
    QByteArray out = "{\n";
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
        const QByteArray key = QJsonDocument(QJsonArray{columnName(column)}).toJson(QJsonDocument::Compact);
        out += pad + "    " + key.mid(1, key.size() - 2) + ": "
               + QByteArray::number(check.lastLevels[size_t(column - 1)]) + (column < kLastValueColumn ? ",\n" : "\n");
    }
    return out + pad + '}';
}

// A JSON report's text with each file's last levels in place.
QByteArray withLastLevels(QByteArray json, const std::vector<const TableCheck *> &checks)
{
    const QByteArray mark =
        QJsonDocument(QJsonArray{QString::fromUtf16(kLastLevelsMark)}).toJson(QJsonDocument::Compact);
    const QByteArray quoted = mark.mid(1, mark.size() - 2);
    for (const TableCheck *check : checks) {
        const qsizetype at = json.indexOf(quoted);
        if (at < 0)
            break;
        const qsizetype lineStart = json.lastIndexOf('\n', at) + 1;
        const qsizetype indent = json.indexOf('"', lineStart) - lineStart;
        json.replace(at, quoted.size(), lastLevelsJson(*check, int(indent)));
    }
    return json;
}

QJsonObject jsonOf(const FileReport &report)
{
    QJsonArray list;
    for (const TableFinding &f : report.check.findings)
        list.append(QJsonObject{{QStringLiteral("linea"), f.line},
                                {QStringLiteral("campo"), f.field},
                                {QStringLiteral("gravedad"), severityOf(f)},
                                {QStringLiteral("codigo"), QString::fromLatin1(f.code)},
                                {QStringLiteral("mensaje"), f.message}});
    return {{QStringLiteral("archivo"), report.path},
            {QStringLiteral("niveles"), report.check.levels},
            {QStringLiteral("ultimo_nivel"), QString::fromUtf16(kLastLevelsMark)},
            {QStringLiteral("hallazgos"), list}};
}

// A file as a SARIF artifact location: a relative URI reference for a
// relative name, a file URI for an absolute one; the name's bytes
// percent-encoded, so that a name that is not UTF-8 keeps them.
QString artifactUri(const QString &path)
{
    const QString slashed = QDir::fromNativeSeparators(path);
    const QString encoded = QString::fromLatin1(systemName(slashed).toPercentEncoding("/"));
    if (slashed.startsWith(u'/'))
        return QStringLiteral("file://") + encoded;
    if (QDir::isAbsolutePath(path)) // C:/… on Windows
        return QString::fromLatin1(QUrl::fromLocalFile(path).toEncoded());
    return encoded;
}

// One SARIF 2.1.0 log for every file read: one rule per kind of finding,
// one result per finding, where code-scanning services read them.
QJsonObject sarifOf(const std::vector<FileReport> &reports, const ChainReport *chain, const GroupReport *groups,
                    const std::vector<std::pair<QString, QString>> &notRead)
{
    const std::span<const FindingCode> codes = findingCodes();
    QJsonArray rules;
    for (const FindingCode &code : codes)
        rules.append(QJsonObject{{QStringLiteral("id"), QString::fromLatin1(code.code)},
                                 {QStringLiteral("shortDescription"),
                                  QJsonObject{{QStringLiteral("text"), QString::fromUtf8(code.description)}}},
                                 {QStringLiteral("defaultConfiguration"),
                                  QJsonObject{{QStringLiteral("level"),
                                               code.error ? QStringLiteral("error") : QStringLiteral("warning")}}}});
    QJsonArray results;
    for (const FileReport &report : reports) {
        for (const TableFinding &f : report.check.findings) {
            QJsonObject region{{QStringLiteral("startLine"), f.line}};
            if (f.startColumn > 0) {
                region.insert(QStringLiteral("startColumn"), f.startColumn);
                region.insert(QStringLiteral("endColumn"), f.endColumn); // past the last byte; an empty field is empty
            }
            results.append(sarifResult(f.code, f.error, f.message, artifactUri(report.path), region));
        }
    }
    if (chain)
        for (const QJsonValue &result : sarifResultsOfChain(*chain, artifactUri))
            results.append(result);
    if (groups)
        for (const QJsonValue &result : sarifResultsOfGroups(*groups, artifactUri))
            results.append(result);
    // A file that could not be read is no clean result: the run says so.
    QJsonArray notifications;
    for (const auto &[path, message] : notRead)
        notifications.append(QJsonObject{
            {QStringLiteral("level"), QStringLiteral("error")},
            {QStringLiteral("message"), QJsonObject{{QStringLiteral("text"), message}}},
            {QStringLiteral("locations"),
             QJsonArray{QJsonObject{{QStringLiteral("physicalLocation"),
                                     QJsonObject{{QStringLiteral("artifactLocation"),
                                                  QJsonObject{{QStringLiteral("uri"), artifactUri(path)}}}}}}}}});
    QJsonObject invocation{{QStringLiteral("executionSuccessful"), notRead.empty()}};
    if (!notifications.isEmpty())
        invocation.insert(QStringLiteral("toolExecutionNotifications"), notifications);
    const QJsonObject driver{
        {QStringLiteral("name"), QStringLiteral("vandrel-exp")},
        {QStringLiteral("version"), QStringLiteral("%1.%2").arg(VEXP_VERSION_MAJOR).arg(VEXP_VERSION_MINOR)},
        {QStringLiteral("informationUri"), QStringLiteral("https://example.org/vandrel-exp-editor/")},
        {QStringLiteral("rules"), rules}};
    return {{QStringLiteral("$schema"), QStringLiteral("https://json.schemastore.org/sarif-2.1.0.json")},
            {QStringLiteral("version"), QStringLiteral("2.1.0")},
            {QStringLiteral("runs"),
             QJsonArray{QJsonObject{{QStringLiteral("tool"), QJsonObject{{QStringLiteral("driver"), driver}}},
                                    {QStringLiteral("invocations"), QJsonArray{invocation}},
                                    {QStringLiteral("results"), results}}}}};
}

// Checks one table file's bytes; a failure is said at once and the rest go on.
FileReport checkFile(const QString &path, const ByteBuffer &bytes, std::string_view largest, const QString &tipo,
                     qint64 niveles)
{
    FileReport report;
    report.path = path;
    report.check = checkTableBytes(std::string_view(bytes.data(), bytes.size()), largest, tipo, niveles);
    if (report.check.levels > kMaxReadRows) { // the reader's bound on rows, met only once the whole file is in
        fail(fileFailure(path, tooManyLevelsMessage()));
        report.check = {};
        return report;
    }
    for (const TableFinding &f : report.check.findings)
        (f.error ? report.errors : report.warnings) += 1;
    report.read = true;
    return report;
}

} // namespace

int comprobar(const ParsedArguments &args)
{
    const QString tipo = args.value(QStringLiteral("--tipo"), QStringLiteral("int32")).toLower();
    const bool json = args.has(QStringLiteral("--json")), sarif = args.has(QStringLiteral("--sarif"));
    qint64 niveles = -1;
    if (args.has(QStringLiteral("--niveles"))) {
        bool ok = false;
        niveles = args.value(QStringLiteral("--niveles")).toLongLong(&ok);
        // Past 65535 no server's level fits; 0 levels is no table.
        if (!ok || niveles < 1 || niveles > 65535)
            return fail(QStringLiteral("--niveles necesita un número de niveles de 1 a 65535."), 2);
    }
    if (json && sarif)
        return fail(QStringLiteral("--json y --sarif no van juntas."), 2);
    const std::string_view largest = largestOfType(tipo);
    if (largest.empty())
        return fail(QStringLiteral("--tipo admite int32, uint32 o int64."), 2);
    if (args.operands.isEmpty())
        return fail(QStringLiteral("La orden comprobar necesita un archivo."), 2);
    if (args.operands.count(QStringLiteral("-")) > 1)
        return fail(QStringLiteral("Solo uno de los archivos puede ser la entrada estándar (-)."), 2);

    int maxLevel = 0, groupMaxLevel = 0;
    QString error;
    if (!serverMaxLevel(args, &maxLevel, &error)
        || !serverMaxLevel(args, &groupMaxLevel, &error, kDefaultGroupServerMaxLevel))
        return fail(error, 2);

    // --trabajos without an exp_group_db.conf is said before any report: the
    // files' first bytes tell (standard input and pipes cannot be looked at twice).
    if (args.has(QStringLiteral("--trabajos")) && !args.operands.contains(QStringLiteral("-"))
        && std::none_of(args.operands.begin(), args.operands.end(), [](const QString &path) {
               QFile file(path);
               // A pipe or a device is read once, later: it may be one.
               return path.endsWith(QStringLiteral(".conf"), Qt::CaseInsensitive) || !QFileInfo(path).isFile()
                      || (file.open(QIODevice::ReadOnly)
                          && looksLikeExpGroupDatabase(file.read(1 << 16).toStdString()));
           }))
        return fail(QStringLiteral("Un job_db.conf (--trabajos) acompaña a un exp_group_db.conf, y no hay ninguno."),
                    2);
    const bool several = args.operands.size() > 1;
    std::vector<FileReport> reports;
    qint64 unread = 0;
    // The files that could not be read, and why: said at once, and in SARIF as the run's failures.
    std::vector<std::pair<QString, QString>> notRead;
    const auto cannotRead = [&](const QString &path, const QString &message, bool said = false) {
        if (!said)
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
        FileReport report = checkFile(path, bytes, largest, tipo, niveles);
        if (!report.read) {
            cannotRead(path, fileFailure(path, tooManyLevelsMessage()), true);
            continue;
        }
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
        std::vector<ChainNote> refused;
        for (qsizetype i = 0; i < chainPaths.size(); ++i) {
            const std::optional<ChainRefusal> refusal = chain->chain.load(
                {shownArgument(chainPaths[i]), std::move(chainTexts[size_t(i)])}, i == 0 && chainPaths.size() > 1);
            chain->paths << chainPaths[i];
            if (refusal && refusal->bound) {
                cannotRead(chainPaths[i],
                           QStringLiteral("%1: %2").arg(chain->chain.placeText(refusal->place), refusal->message));
            } else if (refusal) {
                refused.push_back({"no_se_carga", true, refusal->place, refusal->message});
            }
        }
        chain->check =
            checkJobChain(chain->chain, args.has(QStringLiteral("--tipo")) && tipo == QStringLiteral("int32"));
        // The files the server will not load come first, in the order given.
        chain->check.findings.insert(chain->check.findings.begin(), refused.begin(), refused.end());
        chain->check.errors += qint64(refused.size());
        errors += chain->check.errors;
        warnings += chain->check.warnings;
        if (!json && !sarif && !printText(textOfChain(*chain)))
            return fail(standardOutputFailure(), 2);
    }
    bool written = true;
    if (json && (chain || groups)) {
        // The chain's and the groups' objects after the tables' objects; one object alone as it is.
        QJsonArray list;
        for (const FileReport &report : reports)
            list.append(jsonOf(report));
        if (chain)
            list.append(jsonOfChain(*chain));
        if (groups)
            list.append(jsonOfGroups(*groups));
        std::vector<const TableCheck *> checks;
        for (const FileReport &report : reports)
            checks.push_back(&report.check);
        const QJsonDocument document = list.size() == 1 ? QJsonDocument(list.first().toObject()) : QJsonDocument(list);
        written = printJson(QString::fromUtf8(withLastLevels(document.toJson(QJsonDocument::Indented), checks)));
    } else if (json) {
        // One file, one object, as ever; several, a list of them.
        QJsonArray list;
        for (const FileReport &report : reports)
            list.append(jsonOf(report));
        const QJsonDocument document =
            several ? QJsonDocument(list) : QJsonDocument(reports.empty() ? QJsonObject() : jsonOf(reports.front()));
        std::vector<const TableCheck *> checks;
        for (const FileReport &report : reports)
            checks.push_back(&report.check);
        written = reports.empty() && !several
                      ? true
                      : printJson(QString::fromUtf8(withLastLevels(document.toJson(QJsonDocument::Indented), checks)));
    } else if (sarif) {
        written = printJson(QString::fromUtf8(
            QJsonDocument(sarifOf(reports, chain ? &*chain : nullptr, groups ? &*groups : nullptr, notRead))
                .toJson(QJsonDocument::Indented)));
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
