// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "table/core/table_check.h"

#include "core/shown_text.h"
#include "core/word_bytes.h"
#include "table/core/experience_table.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

QString columnName(int column)
{
    return headerTexts()[size_t(column)].trimmed();
}

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
        {"fuera_de_rango", true, "Un valor supera el mayor valor del tipo entero del servidor."},
        {"bom", true, "El archivo empieza con una marca de orden de bytes UTF-8."},
        {"sin_niveles", true, "El archivo no tiene ningún nivel."},
        {"niveles", true, "La tabla no tiene los niveles que se esperaban (--niveles)."},
        {"descenso", false, "Un valor es menor que el del nivel anterior en su columna."},
        {"sin_comentario", false, "La primera línea no es la línea de comentario del editor."},
        {"linea_sin_coma", false, "Una línea sin comas: el editor la pasa por alto."},
        {"fin_de_linea", false, "Una línea no termina en CR LF."},
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
        if (result_.levels > 0 && lastLevelAllZero_)
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
        if (number == 1 && bom_) // the mark is named once, and the comment line read after it
            found.push_back(
                {number, 0, true, "bom",
                 QStringLiteral("el archivo empieza con una marca de orden de bytes UTF-8 (EF BB BF), "
                                "que el servidor lee como parte de %1")
                     .arg(commas == 0 ? QStringLiteral("la primera línea") : QStringLiteral("su primer valor")),
                 0});
        const std::string_view comment = number == 1 && bom_ ? text.substr(3) : text;
        if (number == 1 && !(comment.substr(0, 21) == "//Archivo Creado Con " && comment.size() > 21))
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
        const std::string_view text(data_ + fieldStart_, at - fieldStart_);
        const int index = fieldInLine_++;
        if (++column_ == 15)
            column_ = 1;
        if (column_ == 1) {
            ++result_.levels;
            lastLevelAllZero_ = true;
        }
        if (text.empty() || !fieldDigitsOnly_) [[unlikely]] {
            lastLevelAllZero_ = false;
            notANumber(index, text);
            return;
        }
        // Each column keeps this level's number and the level before's.
        Number &number = held_[size_t(column_)][result_.levels & 1];
        const Number &before = held_[size_t(column_)][(result_.levels - 1) & 1];
        setNumber(number, text);
        number.level = result_.levels;
        if (number.significant.size() != 1 || number.significant[0] != '0')
            lastLevelAllZero_ = false;
        if (compare(number, largest_) > 0) [[unlikely]]
            tooLarge(index, text);
        if (before.level == result_.levels - 1 && before.level != 0 && compare(number, before) < 0) [[unlikely]]
            descent(index, text, before.text);
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
    std::array<std::array<Number, 2>, 15> held_{};
    bool lastLevelAllZero_ = false;
};

} // namespace

std::string_view largestOfType(const QString &type)
{
    if (type == QStringLiteral("int32"))
        return "2147483647";
    if (type == QStringLiteral("uint32"))
        return "4294967295";
    if (type == QStringLiteral("int64"))
        return "9223372036854775807";
    return {};
}

TableCheck checkTableBytes(std::string_view bytes, std::string_view largest, const QString &typeName)
{
    return Checker(largest, typeName).run(bytes);
}
