#include "cli/table_checks.h"

#include "cli/console.h"
#include "table/core/experience_table.h"
#include "table/core/table_file.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Finding
{
    qint64 line;
    int field;
    bool error;
    const char *code;
    QString message;
};

QString columnName(int column)
{
    return headerTexts()[size_t(column)].trimmed();
}

// Decimal digits compared as numbers of any length: leading zeros dropped,
// then the longer is the larger, then the text decides.
std::string_view significant(std::string_view digits)
{
    while (digits.size() > 1 && digits.front() == '0')
        digits.remove_prefix(1);
    return digits;
}

int compareNumbers(std::string_view a, std::string_view b)
{
    a = significant(a);
    b = significant(b);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b) < 0 ? -1 : a.compare(b) > 0 ? 1 : 0;
}

bool isPlainNumber(std::string_view field)
{
    if (field.empty())
        return false;
    for (char c : field)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Checks a table file line by line as the editor reads it. Findings are held
// back only while their level may still be the last one: a fall into the
// closing row of zeros is no fault.
class LineChecker
{
public:
    LineChecker(std::string_view largest, const QString &largestName) : largest_(largest), largestName_(largestName) {}

    // One line without its end; `crlf` when it ended in CR LF.
    void line(qint64 number, std::string_view text, bool crlf)
    {
        if (!crlf)
            held_.push_back({number, 0, false, "fin_de_linea", QStringLiteral("la línea no termina en CR LF")});
        if (number == 1 && !(text.substr(0, 21) == "//Archivo Creado Con " && text.size() > 21))
            held_.push_back({number, 0, false, "sin_comentario",
                             QStringLiteral("la primera línea no es la línea de comentario del editor")});
        if (text.find(',') == std::string_view::npos) {
            if (number > 1)
                held_.push_back({number, 0, false, "linea_sin_coma",
                                 QStringLiteral("línea sin comas: el editor la pasa por alto")});
            return;
        }
        std::vector<std::string_view> &fields = fields_;
        fields.clear();
        for (size_t start = 0;;) {
            const size_t comma = text.find(',', start);
            fields.push_back(
                text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
            if (comma == std::string_view::npos)
                break;
            start = comma + 1;
        }
        if (fields.size() != 14)
            held_.push_back({number, 0, true, "campos",
                             QStringLiteral("la línea tiene %1 campos y una tabla tiene 14").arg(fields.size())});
        // As the reader: a comma after the last field adds no field; past
        // fourteen, the fields go on in the next level.
        const size_t used = fields.size() > 1 && fields.back().empty() ? fields.size() - 1 : fields.size();
        for (size_t i = 0; i < used; ++i) {
            if (i % 14 == 0)
                startLevel();
            check(number, int(i + 1), int(i % 14) + 1, fields[i]);
        }
    }

    void finish()
    {
        if (levels_ > 0 && lastLevelAllZero_)
            std::erase_if(held_, [](const Finding &f) { return std::string_view(f.code) == "descenso"; });
        release();
    }

    std::vector<Finding> findings; // in file order
    qint64 levels() const { return levels_; }

private:
    void startLevel()
    {
        release(); // the level before is not the last one
        previous_ = current_;
        current_.fill({});
        ++levels_;
        lastLevelAllZero_ = true;
    }

    void check(qint64 line, int field, int column, std::string_view text)
    {
        // Texts are made only for findings: most fields have none.
        const auto name = [column] { return columnName(column); };
        const auto shown = [text] { return QString::fromLatin1(text.data(), qsizetype(text.size())); };
        if (text.empty() || !isPlainNumber(text)) {
            lastLevelAllZero_ = false;
            if (text.empty())
                held_.push_back({line, field, true, "vacio", QStringLiteral("%1: campo vacío").arg(name())});
            else
                held_.push_back({line, field, true, "no_numerico",
                                 QStringLiteral("%1: «%2» no es un número entero sin signo").arg(name(), shown())});
            return;
        }
        if (significant(text) != "0")
            lastLevelAllZero_ = false;
        if (compareNumbers(text, largest_) > 0)
            held_.push_back({line, field, true, "fuera_de_rango",
                             QStringLiteral("%1: %2 supera el mayor valor de %3, %4")
                                 .arg(name(), shown(), largestName_,
                                      QString::fromLatin1(largest_.data(), qsizetype(largest_.size())))});
        const std::string_view before = previous_[size_t(column)];
        if (!before.empty() && compareNumbers(text, before) < 0)
            held_.push_back({line, field, false, "descenso",
                             QStringLiteral("%1: %2 es menor que %3 del nivel anterior")
                                 .arg(name(), shown(), QString::fromLatin1(before.data(), qsizetype(before.size())))});
        current_[size_t(column)] = text;
    }

    void release()
    {
        findings.insert(findings.end(), held_.begin(), held_.end());
        held_.clear();
    }

    std::string_view largest_;
    QString largestName_;
    std::vector<Finding> held_;
    // Numeric fields of the current and the previous level, in the file's
    // bytes, which stay whole for the check.
    std::array<std::string_view, 15> current_{}, previous_{};
    std::vector<std::string_view> fields_;
    qint64 levels_ = 0;
    bool lastLevelAllZero_ = false;
};

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
    const std::string_view largest = tipo == QStringLiteral("int32")    ? "2147483647"
                                     : tipo == QStringLiteral("uint32") ? "4294967295"
                                     : tipo == QStringLiteral("int64")  ? "9223372036854775807"
                                                                        : "";
    if (largest.empty())
        return fail(QStringLiteral("--tipo admite int32, uint32 o int64."), 2);
    if (path.isEmpty())
        return fail(QStringLiteral("comprobar necesita un archivo."), 2);

    QByteArray bytes;
    QString error;
    if (!readBytes(path, bytes, &error))
        return fail(QStringLiteral("%1: %2").arg(path, error), 2);

    LineChecker checker(largest, tipo);
    const std::string_view all(bytes.constData(), size_t(bytes.size()));
    qint64 number = 0;
    for (size_t start = 0; start < all.size();) {
        size_t end = start;
        while (end < all.size() && all[end] != '\r' && all[end] != '\n')
            ++end;
        if (end == all.size())
            end = std::string_view::npos;
        ++number;
        if (end == std::string_view::npos) {
            checker.line(number, all.substr(start), false);
            break;
        }
        const bool crlf = all[end] == '\r' && end + 1 < all.size() && all[end + 1] == '\n';
        checker.line(number, all.substr(start, end - start), crlf);
        start = end + (crlf ? 2 : 1);
    }
    checker.finish();
    std::vector<Finding> &findings = checker.findings;
    if (niveles >= 0 && checker.levels() != niveles)
        findings.push_back(
            {std::max<qint64>(number, 1), 0, true, "niveles",
             QStringLiteral("la tabla tiene %1 niveles y se esperaban %2").arg(checker.levels()).arg(niveles)});

    qint64 errors = 0, warnings = 0;
    for (const Finding &f : findings)
        (f.error ? errors : warnings) += 1;
    if (json) {
        QJsonArray list;
        for (const Finding &f : findings)
            list.append(
                QJsonObject{{QStringLiteral("linea"), f.line},
                            {QStringLiteral("campo"), f.field},
                            {QStringLiteral("gravedad"), f.error ? QStringLiteral("error") : QStringLiteral("aviso")},
                            {QStringLiteral("codigo"), QString::fromLatin1(f.code)},
                            {QStringLiteral("mensaje"), f.message}});
        const QJsonObject document{{QStringLiteral("archivo"), path},
                                   {QStringLiteral("niveles"), checker.levels()},
                                   {QStringLiteral("hallazgos"), list}};
        printText(QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented)));
    } else {
        QString out;
        for (const Finding &f : findings)
            out += QStringLiteral("%1:%2:%3: %4: %5\n")
                       .arg(path)
                       .arg(f.line)
                       .arg(f.field)
                       .arg(f.error ? QStringLiteral("error") : QStringLiteral("aviso"), f.message);
        out += QStringLiteral("%1 errores, %2 avisos en %3 niveles\n").arg(errors).arg(warnings).arg(checker.levels());
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
