// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "generation/core/generador.h"

#include "generation/core/parametros.h"
#include "table/core/experience_table.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

double Porcentaje(double value, int16_t percentage)
{
    const double q = double(percentage) / 100;
    const double p = value * q;
    return std::nearbyint(p); // the default rounding mode sends ties to even
}

void appendValueText(std::string &out, double value)
{
    char buffer[40];
    if (std::fabs(value) < 1e15) {
        // A whole number of at most fifteen digits: "%.15G" writes its digits.
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, int64_t(value)).ptr;
        out.append(buffer, size_t(end - buffer));
        return;
    }
    // Fifteen significant digits and an exponent, as "%.15G" gives them for
    // exponents of 15 and more: trailing zeros dropped, "E+" and two digits.
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    const std::string_view text(buffer, size_t(result.ptr - buffer));
    const size_t e = text.find('e');
    std::string_view mantissa = text.substr(0, e);
    if (mantissa.find('.') != std::string_view::npos) {
        while (mantissa.back() == '0')
            mantissa.remove_suffix(1);
        if (mantissa.back() == '.')
            mantissa.remove_suffix(1);
    }
    out += mantissa;
    out += 'E';
    out += text.substr(e + 1);
}

namespace {

// Percentage and threshold of one block of columns. The parameters are
// 16-bit; these are held in 32 bits so that a step past -32768..32767 is
// reported (rangeMessage) instead of wrapping.
struct RunningRate
{
    int32_t percentage;
    int32_t threshold;
};

QString rangeMessage(int level, const char *what)
{
    return QStringLiteral("No se puede generar la tabla: en el nivel %1 %2 pasaría del límite de -32768 a 32767.")
        .arg(level)
        .arg(QString::fromUtf8(what));
}

} // namespace

bool GenerarTabla(int16_t N, const Parametros &parametros, ExperienceTable &grid, QString *error)
{
    if (N < 0) {
        *error = QStringLiteral("No se puede generar una tabla de %1 niveles.").arg(N);
        return false;
    }
    // Level-1 values from the digit count L and the leading digit D of N.
    char digits[8];
    const int L = int(std::to_chars(digits, digits + sizeof digits, int(N)).ptr - digits);
    const int32_t D = N / int32_t(std::pow(10.0, L - 1));
    const std::array<int32_t, 15> levelOne = {
        0,         D,         D,         D,         D,     D + L - 1,  D + L - 1,  D + L - 1,
        D + L - 1, D + L - 1, D + L + 4, D + L + 9, D + L, D + L + 19, D + L + 49,
    };

    ExperienceTable table;
    table.setRowCount(1);
    const int32_t R = N >= 3 ? N : 2;
    table.reserveRows(size_t(R));

    std::string row;
    row.reserve(14 * 24);
    ByColumn<double> running{};
    for (int k = kFirstValueColumn; k <= kLastValueColumn; ++k) {
        running[size_t(k)] = levelOne[size_t(k)];
        if (k > 1)
            row += ',';
        appendValueText(row, levelOne[size_t(k)]);
    }
    table.appendRow(1, row);

    RunningRate base{parametros.MultExp, parametros.NextBase};
    RunningRate job{parametros.MultJob, parametros.NextJob};
    for (int32_t i = 2; i <= int32_t(N) - 1; ++i) {
        row.clear();
        for (int k = kFirstValueColumn; k <= kLastValueColumn; ++k) {
            const int16_t percentage = int16_t(isBaseColumn(k) ? base.percentage : job.percentage);
            const double increase = Porcentaje(running[size_t(k)], percentage);
            const double next = std::nearbyint(running[size_t(k)] + increase);
            if (!std::isfinite(next)) {
                *error = QStringLiteral("No se puede generar la tabla: en el nivel %1 los valores de experiencia "
                                        "superan el mayor número que se puede calcular.")
                             .arg(i);
                return false;
            }
            if (k > 1)
                row += ',';
            appendValueText(row, next);
            running[size_t(k)] = next;
        }
        table.appendRow(i, row);

        auto rise = [&](RunningRate &rate, int16_t increment, int16_t step, const char *percentageName,
                        const char *thresholdName) {
            if (rate.percentage <= rate.threshold)
                return true;
            rate.percentage += increment;
            rate.threshold += step;
            const char *broken = rate.percentage < INT16_MIN || rate.percentage > INT16_MAX ? percentageName
                                 : rate.threshold < INT16_MIN || rate.threshold > INT16_MAX ? thresholdName
                                                                                            : nullptr;
            if (broken)
                *error = rangeMessage(i, broken);
            return broken == nullptr;
        };
        if (!rise(base, parametros.IncNextBase, parametros.NextBase, "el porcentaje de Base", "el intervalo de Base")
            || !rise(job, parametros.IncNextJob, parametros.NextJob, "el porcentaje de Job", "el intervalo de Job"))
            return false;
    }

    table.appendRow(R, closingRow());
    grid.swap(table);
    return true;
}

void cutAtMaximumLevels(const Parametros &parametros, ExperienceTable &table)
{
    std::array<int32_t, 15> maximum{};
    for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) // base and job alternate in NivelesMax
        maximum[size_t(column)] =
            parametros.NivelesMax[size_t(2 * classGroupOf(column) - (isBaseColumn(column) ? 1 : 0))];
    ExperienceTable cut;
    cut.setRowCount(1);
    cut.reserveRows(size_t(table.rowCount() - 1));
    std::string packed;
    for (int32_t row = 1; row < table.rowCount(); ++row) {
        packed.clear();
        for (int column = kFirstValueColumn; column <= kLastValueColumn; ++column) {
            if (column > 1)
                packed += ',';
            packed += row >= maximum[size_t(column)] ? std::string_view("0") : table.value(row, column);
        }
        cut.appendRow(table.label(row), packed);
    }
    table.swap(cut);
}
