#include "cli/table_checks.h"

#include "cli/console.h"
#include "table/core/experience_table.h"
#include "table/core/table_check.h"
#include "table/core/table_file.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

QString columnName(int column)
{
    return headerTexts()[size_t(column)].trimmed();
}

bool readBytes(const QString &path, QByteArray &bytes, QString *error)
{
    QFile file;
    const bool opened = path == QStringLiteral("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                    : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) {
        *error = file.errorString();
        return false;
    }
    if (!file.isSequential() && file.size() > kMaxTableFileBytes) {
        *error = QStringLiteral("El archivo ocupa más de 4 GiB y no puede ser una tabla de experiencia.");
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

int comprobar(const QStringList &args)
{
    QString path, tipo = QStringLiteral("int32");
    qint64 niveles = -1;
    bool json = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--json")) {
            json = true;
        } else if (args[i] == QStringLiteral("--tipo") && i + 1 < args.size()) {
            tipo = args[++i];
        } else if (args[i] == QStringLiteral("--niveles") && i + 1 < args.size()) {
            bool ok = false;
            niveles = args[++i].toLongLong(&ok);
            if (!ok || niveles < 0)
                return fail(QStringLiteral("--niveles necesita un número de niveles."), 2);
        } else if (path.isEmpty() && (!args[i].startsWith(u'-') || args[i] == QStringLiteral("-"))) {
            path = args[i];
        } else {
            return fail(QStringLiteral("opción desconocida: %1 (vea vandrel-exp --help).").arg(args[i]), 2);
        }
    }
    const std::string_view largest = largestOfType(tipo);
    if (largest.empty())
        return fail(QStringLiteral("--tipo admite int32, uint32 o int64."), 2);
    if (path.isEmpty())
        return fail(QStringLiteral("comprobar necesita un archivo."), 2);

    QByteArray bytes;
    QString error;
    if (!readBytes(path, bytes, &error))
        return fail(QStringLiteral("%1: %2").arg(path, error), 2);

    TableCheck check = checkTableBytes(std::string_view(bytes.constData(), size_t(bytes.size())), largest, tipo);
    std::vector<TableFinding> &findings = check.findings;
    if (niveles >= 0 && check.levels != niveles)
        findings.push_back(
            {std::max<qint64>(check.lines, 1), 0, true, "niveles",
             QStringLiteral("la tabla tiene %1 niveles y se esperaban %2").arg(check.levels).arg(niveles), 0});

    qint64 errors = 0, warnings = 0;
    for (const TableFinding &f : findings)
        (f.error ? errors : warnings) += 1;
    if (json) {
        QJsonArray list;
        for (const TableFinding &f : findings)
            list.append(
                QJsonObject{{QStringLiteral("linea"), f.line},
                            {QStringLiteral("campo"), f.field},
                            {QStringLiteral("gravedad"), f.error ? QStringLiteral("error") : QStringLiteral("aviso")},
                            {QStringLiteral("codigo"), QString::fromLatin1(f.code)},
                            {QStringLiteral("mensaje"), f.message}});
        const QJsonObject document{{QStringLiteral("archivo"), path},
                                   {QStringLiteral("niveles"), check.levels},
                                   {QStringLiteral("hallazgos"), list}};
        printText(QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented)));
    } else {
        QString out;
        for (const TableFinding &f : findings)
            out += QStringLiteral("%1:%2:%3: %4: %5\n")
                       .arg(path)
                       .arg(f.line)
                       .arg(f.field)
                       .arg(f.error ? QStringLiteral("error") : QStringLiteral("aviso"), f.message);
        out += QStringLiteral("%1 errores, %2 avisos en %3 niveles\n").arg(errors).arg(warnings).arg(check.levels);
        printText(out);
    }
    return errors > 0 ? 1 : 0;
}

int comparar(const QStringList &args)
{
    if (args.size() != 2)
        return fail(QStringLiteral("comparar necesita dos archivos."), 2);
    ExperienceTable a, b;
    QString error;
    if (!readTableArgument(args[0], a, &error))
        return fail(QStringLiteral("%1: %2").arg(args[0], error), 2);
    if (!readTableArgument(args[1], b, &error))
        return fail(QStringLiteral("%1: %2").arg(args[1], error), 2);
    const int32_t common = std::min(a.rowCount(), b.rowCount()) - 1;
    QString out;
    qint64 cells = 0, levels = 0;
    for (int32_t r = 1; r <= common; ++r) {
        if (a.packedRow(r) == b.packedRow(r))
            continue; // most rows of two versions of a table are alike
        bool differs = false;
        for (int c = kFirstValueColumn; c <= kLastValueColumn; ++c) {
            const std::string_view va = a.value(r, c), vb = b.value(r, c);
            if (va == vb)
                continue;
            differs = true;
            ++cells;
            out += QStringLiteral("%1:%2: %3 -> %4\n")
                       .arg(r)
                       .arg(columnName(c), QString::fromLatin1(va.data(), qsizetype(va.size())),
                            QString::fromLatin1(vb.data(), qsizetype(vb.size())));
        }
        levels += differs;
    }
    out += QStringLiteral("%1 celdas distintas en %2 niveles\n").arg(cells).arg(levels);
    const ExperienceTable &longer = a.rowCount() > b.rowCount() ? a : b;
    const QString &only = a.rowCount() > b.rowCount() ? args[0] : args[1];
    for (int32_t r = common + 1; r < longer.rowCount(); ++r)
        out += QStringLiteral("%1: solo en %2\n").arg(r).arg(only);
    printText(out);
    return cells == 0 && a.rowCount() == b.rowCount() ? 0 : 1;
}
