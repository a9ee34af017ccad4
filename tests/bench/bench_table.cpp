// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// Times the table's hot paths on generated data, with two references for the
// reader: the floor (finding commas and line ends only) and a plain split
// into one std::string per field.
#include "chart/core/curves.h"
#include "generation/core/generador.h"
#include "generation/core/parametros.h"
#include "server/core/table_check.h"
#include "table/core/experience_table.h"
#include "table/core/file_snapshot.h"
#include "table/core/table_file.h"
#include "test_files.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kMillion = 1000000;

// 1,000,000 lines of fourteen values, mostly ten digits: about 155 MB.
const QByteArray &millionLines()
{
    static const QByteArray bytes = [] {
        QByteArray out;
        out.reserve(156 * kMillion);
        out += savedComment();
        std::mt19937_64 random(42);
        for (int line = 0; line < kMillion; ++line) {
            for (int c = 0; c < 14; ++c) {
                if (c)
                    out += ',';
                const uint64_t r = random();
                const uint64_t value = r % 64 == 0 ? r % 100000 : 1000000000 + r % 9000000000;
                out += QByteArray::number(qulonglong(value));
            }
            out += "\r\n";
        }
        return out;
    }();
    return bytes;
}

// 1,000,000 levels as a server wants them: rising, within int32, CR LF.
const QByteArray &cleanMillionLines()
{
    static const QByteArray bytes = [] {
        QByteArray out;
        out.reserve(140 * kMillion);
        out += savedComment();
        for (int level = 1; level <= kMillion; ++level) {
            for (int c = 0; c < 14; ++c) {
                if (c)
                    out += ',';
                out += QByteArray::number(level * 2000 + c * 100);
            }
            out += "\r\n";
        }
        return out;
    }();
    return bytes;
}

// Reads `bytes` as the editor reads a file.
bool readBytes(const QByteArray &bytes, ExperienceTable &table)
{
    QByteArray copy = bytes; // shared, not copied
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QString error;
    return LeerTabla(buffer, table, &error);
}

// Bytes in use from malloc: what the plain split holds.
size_t mallocBytes()
{
    return mallinfo2().uordblks + mallinfo2().hblkhd;
}

void BM_ReadMillionLines(benchmark::State &state)
{
    const QByteArray &bytes = millionLines();
    for (auto _ : state) {
        ExperienceTable table;
        if (!readBytes(bytes, table))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(table.rowCount());
        // Everything the table holds: its bytes and its row index.
        state.counters["tableMiB"] = double(table.memoryBytes()) / (1 << 20);
    }
    state.counters["fileMiB"] = double(bytes.size()) / (1 << 20);
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
}

// The check and the reader on the same clean table: the check's goal is at
// most twice the reader's time.
void BM_ReadCleanMillionLines(benchmark::State &state)
{
    for (auto _ : state) {
        ExperienceTable table;
        if (!readBytes(cleanMillionLines(), table))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(table.rowCount());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * cleanMillionLines().size());
}

void BM_CheckCleanMillionLines(benchmark::State &state)
{
    const QByteArray &bytes = cleanMillionLines();
    for (auto _ : state) {
        const TableCheck check =
            checkTableBytes(std::string_view(bytes.constData(), size_t(bytes.size())), ServerInteger::Int32);
        if (check.levels != kMillion || !check.findings.empty())
            state.SkipWithError("unexpected findings");
        benchmark::DoNotOptimize(check.levels);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
}

// What grafico does between reading and drawing: a million levels thinned to
// at most 4,096 points a curve.
void BM_CurvesOfMillionLines(benchmark::State &state)
{
    ExperienceTable table;
    if (!readBytes(cleanMillionLines(), table))
        state.SkipWithError("read failed");
    for (auto _ : state) {
        const Curves curves = curvesOf(table, true);
        benchmark::DoNotOptimize(curves.points[1].size());
    }
}

// As the editor's Abrir reads: with the snapshot of what the file was
// (identity and a hash of its bytes), against BM_ReadMillionLinesFromFile.
void BM_ReadMillionLinesFromFile(benchmark::State &state)
{
    const bool remembered = state.range(0) != 0;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Exp.txt"));
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(millionLines());
    }
    for (auto _ : state) {
        ExperienceTable table;
        QString error;
        FileIdentity identity;
        if (!readTableFile(path, table, &error, remembered ? &identity : nullptr))
            state.SkipWithError("read failed");
        if (remembered)
            benchmark::DoNotOptimize(FileSnapshot::of(path, identity, table.arena()));
        benchmark::DoNotOptimize(table.rowCount());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * millionLines().size());
}

// The floor: touch every byte, count commas and line ends.
void BM_FloorScan(benchmark::State &state)
{
    const QByteArray &bytes = millionLines();
    for (auto _ : state) {
        size_t commas = 0, lines = 0;
        for (const char c : bytes) {
            commas += c == ',';
            lines += c == '\n' || c == '\r';
        }
        benchmark::DoNotOptimize(commas);
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
}

// What a plain port does: a string per line, a string per field.
void BM_NaiveSplit(benchmark::State &state)
{
    const QByteArray &bytes = millionLines();
    size_t held = 0;
    for (auto _ : state) {
        const size_t before = mallocBytes();
        std::vector<std::vector<std::string>> rows;
        std::string line;
        const char *p = bytes.constData(), *end = p + bytes.size();
        while (p < end) {
            const char *eol = p;
            while (eol < end && *eol != '\r' && *eol != '\n')
                ++eol;
            line.assign(p, eol);
            p = eol < end && *eol == '\r' && eol + 1 < end && eol[1] == '\n' ? eol + 2 : eol + 1;
            if (line.find(',') == std::string::npos)
                continue;
            std::vector<std::string> fields;
            size_t start = 0;
            for (size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1)
                fields.push_back(line.substr(start, comma - start));
            fields.push_back(line.substr(start));
            rows.push_back(std::move(fields));
        }
        held = mallocBytes() - before;
        benchmark::DoNotOptimize(rows.size());
    }
    state.counters["heapMiB"] = double(held) / (1 << 20);
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
}

void BM_Write32767Rows(benchmark::State &state)
{
    QByteArray slice = millionLines().left(millionLines().indexOf("\r\n", 0) + 2 + 155 * 32767 + 2000);
    QBuffer in(&slice);
    in.open(QIODevice::ReadOnly);
    ExperienceTable table;
    QString error;
    LeerTabla(in, table, &error);
    table.setRowCount(32768);
    for (auto _ : state) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        if (!GuardarTabla(out, table, &error))
            state.SkipWithError("write failed");
        benchmark::DoNotOptimize(out.data().size());
    }
}

void BM_Generate9999Levels(benchmark::State &state)
{
    Parametros p;
    ValoresPorDefecto(p);
    p.MultExp = 7; // stays within the double range through level 9999
    p.MultJob = 5;
    p.NextBase = 99;
    p.NextJob = 99;
    for (auto _ : state) {
        ExperienceTable table;
        QString error;
        if (!GenerarTabla(9999, p, table, &error))
            state.SkipWithError("generation failed");
        benchmark::DoNotOptimize(table.rowCount());
    }
}

} // namespace

BENCHMARK(BM_ReadMillionLines)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ReadMillionLinesFromFile)
    ->ArgName("remembered")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ReadCleanMillionLines)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_CheckCleanMillionLines)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_CurvesOfMillionLines)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_FloorScan)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_NaiveSplit)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_Write32767Rows)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Generate9999Levels)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_MAIN();
