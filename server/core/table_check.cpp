// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "server/core/table_check.h"

#include "core/shown_text.h"
#include "core/word_bytes.h"
#include "server/core/server_reading.h"
#include "table/core/experience_table.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

QString latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

} // namespace

std::span<const FindingCode> findingCodes()
{
    static constexpr FindingCode kCodes[] = {
        {"campos", true, "La línea no tiene catorce campos: el servidor no la lee como un nivel."},
        {"vacio", true, "Un campo está vacío."},
        {"no_numerico", true, "Un campo no es un número entero sin signo."},
        {"negativo", true, "Un valor negativo: el servidor lo lee y el grupo termina en ese nivel."},
        {"fuera_de_rango", true, "Un valor supera el mayor valor del tipo entero del servidor."},
        {"bom", true, "Una marca de orden de bytes UTF-8 antes de un nivel: el servidor no lee esa línea."},
        {"cr_suelto", true, "Un CR solo no termina la línea para el servidor: une dos líneas y pierde un nivel."},
        {"linea_larga", true, "Una línea de más de 1022 bytes: el servidor la corta y lee el resto como otra línea."},
        {"ctrl_z", true, "Un byte 0x1A: un servidor para Windows deja de leer ahí."},
        {"mas_de_255", true, "Más de 255 niveles: el servidor no lee los siguientes."},
        {"sin_niveles", true, "El archivo no tiene ningún nivel."},
        {"niveles", true, "El último nivel de un grupo no es el que se esperaba (--niveles)."},
        {"descenso", false, "Un valor es menor que el del nivel anterior en su columna."},
        {"fin_de_grupo", false, "Un valor 0 antes de la última fila: el grupo de esa columna termina en ese nivel."},
        {"signo_o_blanco", false,
         "Un signo + o unos blancos que el servidor salta: lee el número, la cuadrícula muestra el texto."},
        {"bom_comentario", false,
         "Una marca de orden de bytes UTF-8 antes de la línea de comentario, que el servidor descarta igual."},
        {"sin_comentario", false, "La primera línea no es la línea de comentario del editor."},
        {"linea_sin_coma", false, "Una línea sin comas: el editor la pasa por alto."},
        {"fin_de_linea", false, "Una línea no termina en CR LF."},
        // The YAML job databases.
        {"no_se_carga", true,
         "El servidor no carga el archivo: una marca de orden de bytes, una versión o un tipo que no lee, YAML no "
         "válido, un alias, un segundo documento o una clave repetida; un .conf con un error de sintaxis."},
        {"trabajo_desconocido", true,
         "Un nombre de trabajo que el servidor no conoce: en YAML deja la entrada ahí y los trabajos que siguen no "
         "reciben nada; en job_db.conf se salta la entrada."},
        {"entrada_cortada", true,
         "Un valor que el servidor no puede leer (Level 0, un Exp que no es un número): deja la entrada ahí."},
        {"sin_experiencia", true,
         "Un nivel por debajo del máximo de un trabajo no tiene experiencia: el personaje no pasa de él."},
        {"maximo_recortado", false,
         "Un nivel máximo de 0 o por encima de MAX_LEVEL, o un MaxLevel que falta: el servidor usa MAX_LEVEL."},
        {"nivel_omitido", false,
         "Niveles por encima del máximo que el trabajo tiene en ese momento: el servidor no los lee."},
        {"sin_tabla", false,
         "Un trabajo con tabla base y no de trabajo, o al revés: el servidor le da 0 en cada nivel de la que falta."},
        {"false", false, "Un trabajo con false en Jobs: el servidor no lee el valor y le aplica la entrada igual."},
        {"mas_de_int32", false,
         "Un valor de más de 2147483647: un servidor compilado para clientes anteriores a 2017 no lo alcanza (error "
         "con --tipo int32)."},
        // The libconfig family: exp_group_db.conf and job_db.conf.
        {"mezcla_l", true,
         "Un array que mezcla valores con L y sin L: el servidor no carga el archivo entero, ni ningún grupo."},
        {"sin_raiz", true, "Falta base_exp_group_db (no carga ningún grupo) o job_exp_group_db (ninguno de trabajo)."},
        {"sin_exp", true, "Un grupo sin un Exp escrito [ … ]: el servidor no lo carga."},
        {"valor_desbordado", true,
         "Un valor de más de 2147483647 sin L (el servidor lo lee en 32 bits) o negativo: no es la experiencia "
         "escrita."},
        {"grupo_desconocido", true,
         "Un trabajo nombra un grupo que no existe (los nombres se distinguen por mayúsculas): no sube de nivel."},
        {"sin_grupo", true,
         "Un trabajo sin BaseExpGroup o JobExpGroup, o que job_db.conf no nombra: no tiene tabla y no sube de nivel."},
        {"valores_de_mas", false, "Un grupo da más de MaxLevel - 1 valores: el servidor no lee los que sobran."},
        {"valores_de_menos", false,
         "Un grupo da menos de MaxLevel - 1 valores: el servidor pide el último en cada nivel que falta."},
        {"nombre_largo", false,
         "Un nombre de grupo de más de 31 bytes: el servidor guarda solo esos, y no lo encuentra por el entero."},
        {"grupo_repetido", false, "Un grupo con el nombre de otro anterior: el servidor usa el primero."},
        {"grupo_sin_uso", false, "Un grupo que ningún trabajo ni homúnculo usa."},
    };
    return kCodes;
}

QString shownValue(std::string_view text)
{
    // A value is quoted whole up to a line's worth; a longer one is cut, with
    // its length, so that one overlong field cannot flood a report.
    constexpr size_t kShown = 40;
    if (text.size() <= kShown)
        return shownBytes(text);
    return QStringLiteral("%1… (%2 caracteres)").arg(shownBytes(text.substr(0, kShown))).arg(qint64(text.size()));
}

namespace {

// Decimal digits without their leading zeros ("0" stays).
std::string_view significant(std::string_view digits)
{
    while (digits.size() > 1 && digits.front() == '0')
        digits.remove_prefix(1);
    return digits;
}

// A numeric field as in the file and without its leading zeros, and the
// level it belongs to (0 for none yet).
struct Number
{
    std::string_view text;
    std::string_view significant;
    qint64 level = 0;
};

// Two runs of digits of the same length. For 8 to 16 digits the first and
// the last eight bytes, read as words, decide: they may overlap, and the
// overlap is equal once the first words are.
int compareSameLength(const char *a, const char *b, size_t length)
{
    if (length >= 8 && length <= 16) {
        uint64_t wa = bigEndianWord(a), wb = bigEndianWord(b);
        if (wa == wb) {
            wa = bigEndianWord(a + length - 8);
            wb = bigEndianWord(b + length - 8);
        }
        return wa < wb ? -1 : wa > wb ? 1 : 0;
    }
    const int order = std::memcmp(a, b, length);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

// Numbers of any length: the one with more significant digits is larger.
inline int compare(const Number &a, const Number &b)
{
    const size_t la = a.significant.size(), lb = b.significant.size();
    if (la != lb)
        return la < lb ? -1 : 1;
    return compareSameLength(a.significant.data(), b.significant.data(), la);
}

inline void setNumber(Number &number, std::string_view digits)
{
    number.text = digits;
    number.significant = digits.front() != '0' ? digits : significant(digits);
}

// Calls stop(at) for every byte that is not a decimal digit, in order.
template <typename Stop> void forEachNonDigit(const char *data, size_t size, Stop &&stop)
{
    size_t i = 0;
#if defined(__SSE2__)
    // Sixteen bytes a step, sixty-four a block: digits do not stop the scan.
    const __m128i zero = _mm_set1_epi8('0'), nine = _mm_set1_epi8(9);
    const auto nonDigits = [&](size_t at) {
        const __m128i v = _mm_sub_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i *>(data + at)), zero);
        return uint64_t(~unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_max_epu8(v, nine), nine))) & 0xffffu);
    };
    for (; i + 64 <= size; i += 64) {
        uint64_t mask = nonDigits(i) | nonDigits(i + 16) << 16 | nonDigits(i + 32) << 32 | nonDigits(i + 48) << 48;
        for (; mask != 0; mask &= mask - 1)
            stop(i + size_t(__builtin_ctzll(mask)));
    }
#endif
    for (; i < size; ++i)
        if (unsigned(data[i] - '0') > 9)
            stop(i);
}

// Each byte is looked at once. Findings go straight into the list in file
// order; a fall into a closing row of zeros is taken back at the end.
class Checker
{
public:
    Checker(std::string_view largest, const QString &typeName) : typeName_(typeName) { setNumber(largest_, largest); }

    TableCheck run(std::string_view all)
    {
        data_ = all.data();
        bom_ = all.substr(0, 3) == "\xEF\xBB\xBF"; // what Windows' Notepad writes first
        if (!all.empty())
            beginLine(0);
        size_t lfOfCrLf = SIZE_MAX;
        forEachNonDigit(data_, all.size(), [&](size_t at) {
            const char c = data_[at];
            if (c == ',') {
                field(at);
                fieldStart_ = at + 1;
                fieldDigitsOnly_ = true;
            } else if (c == '\r' || c == '\n') {
                if (at == lfOfCrLf)
                    return;
                const bool crlf = c == '\r' && at + 1 < all.size() && data_[at + 1] == '\n';
                endLine(at, crlf);
                const size_t next = at + (crlf ? 2 : 1);
                if (crlf)
                    lfOfCrLf = at + 1;
                if (next < all.size())
                    beginLine(next);
            } else {
                fieldDigitsOnly_ = false;
            }
        });
        if (lineOpen_)
            endLine(all.size(), false);
        if (result_.levels == 0)
            result_.findings.push_back({std::max<qint64>(result_.lines, 1), 0, true, "sin_niveles",
                                        QStringLiteral("el archivo no tiene ningún nivel"), 0});
        if (result_.levels > 0 && isClosingRow(lastLevelLine_))
            std::erase_if(result_.findings, [this](const TableFinding &f) {
                return f.level == result_.levels && std::string_view(f.code) == "descenso";
            });
        return std::move(result_);
    }

private:
    void beginLine(size_t at)
    {
        ++result_.lines;
        lineOpen_ = true;
        lineStart_ = fieldStart_ = at;
        fieldDigitsOnly_ = true;
        fieldInLine_ = 0;
        column_ = 0;
        findingsAtLineStart_ = result_.findings.size();
    }

    void endLine(size_t at, bool crlf)
    {
        lineOpen_ = false;
        // A comma after the last field adds no field, as in the reader; but
        // after thirteen values it leaves the fourteenth cell of the row
        // empty, as the editor's grid shows it.
        const int commas = fieldInLine_;
        if (commas > 0 && (at > fieldStart_ || commas == 13))
            field(at);
        // Whole-line findings come before the line's field findings.
        const std::string_view text(data_ + lineStart_, at - lineStart_);
        const qint64 number = result_.lines;
        std::vector<TableFinding> found;
        if (!crlf)
            found.push_back({number, 0, false, "fin_de_linea", QStringLiteral("la línea no termina en CR LF"), 0});
        const std::string_view comment = number == 1 && bom_ ? text.substr(3) : text;
        // The mark is named once, and the comment line read after it. Before
        // "//" it only makes the server drop a line it skips anyway.
        if (number == 1 && bom_ && comment.substr(0, 2) == "//")
            found.push_back({number, 0, false, "bom_comentario",
                             QStringLiteral("el archivo empieza con una marca de orden de bytes UTF-8 (EF BB BF) "
                                            "antes de la línea de comentario: el servidor descarta esa línea igual"),
                             0});
        else if (number == 1 && bom_)
            found.push_back(
                {number, 0, true, "bom",
                 QStringLiteral("el archivo empieza con una marca de orden de bytes UTF-8 (EF BB BF), "
                                "que el servidor lee como parte de %1")
                     .arg(commas == 0 ? QStringLiteral("la primera línea") : QStringLiteral("su primer valor")),
                 0});
        if (commas > 0)
            lastLevelLine_ = text;
        if (number == 1
            && !(comment.substr(0, kCommentLinePrefix.size()) == kCommentLinePrefix
                 && comment.size() > kCommentLinePrefix.size()))
            found.push_back({number, 0, false, "sin_comentario",
                             QStringLiteral("la primera línea no es la línea de comentario del editor"), 0});
        if (commas == 0 && number > 1)
            found.push_back(
                {number, 0, false, "linea_sin_coma", QStringLiteral("línea sin comas: el editor la pasa por alto"), 0});
        if (commas > 0 && commas != 13)
            found.push_back({number, 0, true, "campos",
                             QStringLiteral("la línea tiene %1 campos y una tabla tiene 14").arg(commas + 1), 0});
        if (!found.empty())
            result_.findings.insert(result_.findings.begin() + qsizetype(findingsAtLineStart_), found.begin(),
                                    found.end());
    }

    // The field from fieldStart_ to `at`. Kept small enough to inline into
    // the scan: findings are made out of line.
    void field(size_t at)
    {
        std::string_view text(data_ + fieldStart_, at - fieldStart_);
        const int index = fieldInLine_++;
        if (++column_ == 15)
            column_ = 1;
        if (column_ == 1)
            ++result_.levels;
        if (text.empty() || !fieldDigitsOnly_) [[unlikely]] {
            text = numberServersRead(index, text);
            if (text.empty())
                return;
        }
        // Each column keeps this level's number and the level before's.
        Number &number = held_[size_t(column_)][result_.levels & 1];
        const Number &before = held_[size_t(column_)][(result_.levels - 1) & 1];
        setNumber(number, text);
        number.level = result_.levels;
        if (compare(number, largest_) > 0) [[unlikely]]
            tooLarge(index, text);
        if (before.level == result_.levels - 1 && before.level != 0 && compare(number, before) < 0) [[unlikely]]
            descent(index, text, before.text);
    }

    // A field that is not bare digits: the digits a server reads in it (after
    // blanks, a sign; last in its line, blanks after too), with a warning,
    // or nothing where it reads no number or a negative one.
    Q_DECL_COLD_FUNCTION Q_NEVER_INLINE std::string_view numberServersRead(int index, std::string_view text)
    {
        const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; };
        std::string_view rest = text;
        while (!rest.empty() && blank(rest.front()))
            rest.remove_prefix(1);
        if (index == 13)
            while (!rest.empty() && blank(rest.back()))
                rest.remove_suffix(1);
        const char sign = !rest.empty() && (rest.front() == '+' || rest.front() == '-') ? rest.front() : 0;
        if (sign)
            rest.remove_prefix(1);
        if (rest.empty() || !std::all_of(rest.begin(), rest.end(), [](char c) { return unsigned(c - '0') <= 9; })) {
            notANumber(index, text);
            return {};
        }
        if (sign == '-' && significant(rest) != "0") {
            add(index + 1, true, "negativo",
                QStringLiteral("%1: «%2» es negativo: el servidor lo lee y el grupo termina en este nivel")
                    .arg(columnName(column_), shownValue(text)),
                text);
            return {};
        }
        add(index + 1, false, "signo_o_blanco",
            QStringLiteral("%1: el servidor lee %2 donde la cuadrícula muestra «%3»")
                .arg(columnName(column_), shownValue(rest), shownValue(text)),
            text);
        return rest;
    }

    Q_DECL_COLD_FUNCTION Q_NEVER_INLINE void notANumber(int index, std::string_view text)
    {
        const QString name = columnName(column_);
        if (text.empty())
            add(index + 1, true, "vacio", QStringLiteral("%1: campo vacío").arg(name), text);
        else
            add(index + 1, true, "no_numerico",
                QStringLiteral("%1: «%2» no es un número entero sin signo").arg(name, shownValue(text)), text);
    }

    Q_DECL_COLD_FUNCTION Q_NEVER_INLINE void tooLarge(int index, std::string_view text)
    {
        add(index + 1, true, "fuera_de_rango",
            QStringLiteral("%1: %2 supera el mayor valor de %3, %4")
                .arg(columnName(column_), shownValue(text), typeName_, latin1(largest_.text)),
            text);
    }

    Q_DECL_COLD_FUNCTION Q_NEVER_INLINE void descent(int index, std::string_view text, std::string_view before)
    {
        add(index + 1, false, "descenso",
            QStringLiteral("%1: %2 es menor que %3 del nivel anterior")
                .arg(columnName(column_), shownValue(text), shownValue(before)),
            text);
    }

    // A field's finding; `text` is the field's bytes, where its columns are.
    void add(int field, bool error, const char *code, QString message, std::string_view text)
    {
        const qint64 start = qint64(text.data() - (data_ + lineStart_)) + 1;
        result_.findings.push_back({result_.lines, field, error, code, std::move(message), result_.levels, start,
                                    start + qint64(text.size())});
    }

    Number largest_;
    const QString typeName_;
    const char *data_ = nullptr;
    TableCheck result_;
    bool lineOpen_ = false;
    bool bom_ = false; // the file begins with a UTF-8 byte-order mark
    size_t lineStart_ = 0, fieldStart_ = 0, findingsAtLineStart_ = 0;
    bool fieldDigitsOnly_ = true;
    int fieldInLine_ = 0;
    int column_ = 0;
    ByColumn<std::array<Number, 2>> held_{};
    std::string_view lastLevelLine_; // the last line holding a level, to see if it closes the table
};

} // namespace

std::optional<ServerInteger> serverIntegerNamed(QStringView name)
{
    for (const ServerInteger type : {ServerInteger::Int32, ServerInteger::Uint32, ServerInteger::Int64})
        if (name.compare(serverIntegerName(type), Qt::CaseInsensitive) == 0)
            return type;
    return std::nullopt;
}

QString serverIntegerName(ServerInteger type)
{
    switch (type) {
    case ServerInteger::Uint32:
        return QStringLiteral("uint32");
    case ServerInteger::Int64:
        return QStringLiteral("int64");
    case ServerInteger::Int32:
        break;
    }
    return QStringLiteral("int32");
}

std::string_view largestOf(ServerInteger type)
{
    switch (type) {
    case ServerInteger::Uint32:
        return "4294967295";
    case ServerInteger::Int64:
        return "9223372036854775807";
    case ServerInteger::Int32:
        break;
    }
    return "2147483647";
}

namespace {

// The bytes of field `field` (1-based) of the line that begins at `lineStart`.
std::string_view fieldAt(std::string_view bytes, size_t lineStart, int field)
{
    size_t end = lineStart;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
        ++end;
    return fieldOf(bytes.substr(lineStart, end - lineStart), field);
}

// What the editor's reading cannot see: where the servers read the file
// otherwise (see server_reading.h), and where each class group ends.
void addServerFindings(std::string_view bytes, ServerInteger type, qint64 expectedLevels, TableCheck &check)
{
    const ServerReading reading = readAsServers(bytes);
    std::vector<TableFinding> &findings = check.findings;
    const auto wholeLine = [&](qint64 line, bool error, const char *code, QString message) {
        findings.push_back({line, 0, error, code, std::move(message), 0});
    };
    if (reading.crThroughout) {
        std::erase_if(findings, [](const TableFinding &f) { return std::string_view(f.code) == "fin_de_linea"; });
        wholeLine(1, true, "cr_suelto",
                  bytes.size() > kServerLineBytes
                      ? QStringLiteral("todas las líneas terminan en un CR solo: el servidor lee el archivo como una "
                                       "sola línea, en trozos de %1 bytes, y carga %2 (uno por trozo que empieza con "
                                       "catorce números)")
                            .arg(qint64(kServerLineBytes) + 1)
                            .arg(reading.rows.size() == 1 ? QStringLiteral("1 nivel")
                                                          : QStringLiteral("%1 niveles").arg(reading.rows.size()))
                      : QStringLiteral("todas las líneas terminan en un CR solo: el servidor lee el archivo como una "
                                       "sola línea y carga %1")
                            .arg(reading.rows.size() == 1 ? QStringLiteral("1 nivel")
                                                          : QStringLiteral("%1 niveles").arg(reading.rows.size())));
    } else {
        for (const ServerReading::LoneCr &cr : reading.loneCrs) {
            if (cr.lostLine == 0)
                continue; // glued to a line that holds no level: nothing lost, the line end stays a warning
            std::erase_if(findings, [&](const TableFinding &f) {
                return f.line == cr.line && std::string_view(f.code) == "fin_de_linea";
            });
            wholeLine(cr.line, true, "cr_suelto",
                      QStringLiteral("la línea termina en un CR solo: el servidor la une con la línea %1 y pierde "
                                     "su nivel; los niveles siguientes suben uno")
                          .arg(cr.lostLine));
        }
    }
    for (const ServerReading::LongLine &longLine : reading.longLines)
        wholeLine(longLine.line, true, "linea_larga",
                  longLine.lastLine > longLine.line
                      ? QStringLiteral("las líneas %1 a %2, unidas por CR solos, son para el servidor una línea de %3 "
                                       "bytes, y lee como mucho %4 de una vez: la corta ahí y lee el resto como otra "
                                       "línea")
                            .arg(longLine.line)
                            .arg(longLine.lastLine)
                            .arg(longLine.bytes)
                            .arg(qint64(kServerLineBytes))
                      : QStringLiteral("la línea tiene %1 bytes y el servidor lee como mucho %2 de una vez: la corta "
                                       "ahí y lee el resto como otra línea")
                            .arg(longLine.bytes)
                            .arg(qint64(kServerLineBytes)));
    if (reading.windowsEndLine > 0)
        wholeLine(reading.windowsEndLine, true, "ctrl_z",
                  QStringLiteral("un byte 0x1A (Ctrl+Z) en la columna %1: un servidor para Windows deja de leer aquí")
                      .arg(reading.windowsEndColumn));
    if (reading.firstIgnoredLine > 0)
        wholeLine(reading.firstIgnoredLine, true, "mas_de_255",
                  QStringLiteral("el servidor lee como mucho %1 niveles: desde esta línea (nivel %2) no lee nada más")
                      .arg(kServerRows)
                      .arg(kServerRows + 1));

    const int bits = type == ServerInteger::Int64 ? 64 : 32;
    const bool isUnsigned = type == ServerInteger::Uint32;
    check.lastLevels = lastLevels(reading, bits, isUnsigned);
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
        const int last = check.lastLevels[size_t(column - 1)];
        // A zero before the last row ends its group early (a negative value
        // or one past the type already has its error).
        if (size_t(last) < reading.rows.size() && reading.rows[size_t(last - 1)].values[size_t(column - 1)] == 0) {
            const ServerReading::Row &row = reading.rows[size_t(last - 1)];
            const std::string_view text = fieldAt(bytes, row.lineStart, column);
            const qint64 start = qint64(text.data() - (bytes.data() + row.lineStart)) + 1;
            findings.push_back({row.line, column, false, "fin_de_grupo",
                                QStringLiteral("%1: el valor 0 termina el grupo en el nivel %2; las filas siguientes "
                                               "de esta columna no se usan")
                                    .arg(columnName(column))
                                    .arg(last),
                                last, start, start + qint64(text.size())});
        }
        if (expectedLevels >= 0 && last != expectedLevels)
            wholeLine(std::max<qint64>(check.lines, 1), true, "niveles",
                      QStringLiteral("%1: el último nivel es %2 y se esperaba %3")
                          .arg(columnName(column))
                          .arg(last)
                          .arg(expectedLevels));
    }
    // File order again; a line's own findings before its fields'.
    std::stable_sort(findings.begin(), findings.end(), [](const TableFinding &a, const TableFinding &b) {
        return a.line != b.line ? a.line < b.line : (a.field == 0) > (b.field == 0);
    });
}

} // namespace

TableCheck checkTableBytes(std::string_view bytes, ServerInteger type, qint64 expectedLevels)
{
    TableCheck check = Checker(largestOf(type), serverIntegerName(type)).run(bytes);
    addServerFindings(bytes, type, expectedLevels, check);
    return check;
}
