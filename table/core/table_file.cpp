// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "table/core/table_file.h"

#include "core/file_identity.h"
#include "core/file_name.h"
#include "core/safe_write.h"
#include "core/system_error.h"
#include "core/titulo.h"
#include "core/word_bytes.h"
#include "table/core/experience_table.h"

#include <QBuffer>
#include <QFile>
#include <QIODevice>

#include <algorithm>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <limits>

namespace {

constexpr qsizetype kReadChunk = qsizetype(1) << 20;
constexpr int kFieldsPerRow = kLastValueColumn;

QString tooLargeMessage()
{
    return QStringLiteral("El archivo ocupa más de %1 GiB y no puede ser una tabla de experiencia. "
                          "No se ha abierto.")
        .arg(kMaxTableFileBytes >> 30);
}

QString longLineMessage()
{
    return QStringLiteral("El archivo tiene una línea de más de %1 MiB y no puede ser una tabla de "
                          "experiencia. No se ha abierto.")
        .arg(kMaxLineBytes >> 20);
}

QString outOfMemoryMessage()
{
    return QStringLiteral("No hay memoria suficiente para abrir el archivo. La tabla no ha cambiado.");
}

// Checks the lines from `lineStart` on against the line bound, as far as the
// bytes read so far tell, and moves `lineStart` to a line start past which
// nothing is known yet. It jumps a bound ahead and looks back for a line
// end, so it reads a few bytes per 64 MiB instead of every byte, yet no line
// of any length in any kind of input goes unseen.
bool linesWithinBound(const char *data, size_t used, size_t &lineStart)
{
    constexpr size_t bound = size_t(kMaxLineBytes);
    while (used - lineStart > bound) {
        const char *const from = data + lineStart;
        const char *p = from + bound + 1; // the line's first bound + 1 bytes are in
        while (p != from && p[-1] != '\n' && p[-1] != '\r')
            --p;
        if (p == from)
            return false;
        lineStart = size_t(p - data);
    }
    return true;
}

// Slurps the device whole, within the bounds of table_file.h: the bytes
// become the table's row storage, or what the check reads. The size a file
// reports is only a first guess (files under /proc report 0). `onBlock(from,
// to)` sees each new run of bytes as it arrives and returns false to stop.
template <typename OnBlock> bool readAll(QIODevice &device, ByteBuffer &bytes, QString *error, OnBlock onBlock)
{
    const qint64 expected = device.isSequential() ? 0 : device.size() - device.pos();
    if (expected > kMaxTableFileBytes) {
        *error = tooLargeMessage();
        return false;
    }
    if (device.isSequential()) // address space only: pages come as bytes arrive, and nothing is copied
        bytes.reserveAddressSpace(size_t(kMaxTableFileBytes + kReadChunk));
    bytes.resize(size_t(std::max<qint64>(expected, 0)));
    size_t used = 0;
    size_t lineStart = 0;
    char probe[64 * 1024];
    for (;;) {
        if (used == bytes.size() && bytes.capacity() > used)
            bytes.resize(std::min(bytes.capacity(), used + size_t(kReadChunk)));
        const bool room = used < bytes.size();
        const qint64 got = room ? device.read(bytes.data() + used, qint64(bytes.size() - used))
                                : device.read(probe, qint64(sizeof probe));
        if (got < 0) {
            *error = systemFailure(QString(), device.errorString());
            return false;
        }
        if (got == 0) {
            if (device.waitForReadyRead(-1)) // a pipe or process with more to come
                continue;
            break;
        }
        if (!room)
            bytes.append(probe, size_t(got));
        used += size_t(got);
        if (!onBlock(used - size_t(got), used))
            return false;
        if (!linesWithinBound(bytes.data(), used, lineStart)) { // /dev/zero and other endless lines
            *error = longLineMessage();
            return false;
        }
        if (used > size_t(kMaxTableFileBytes)) { // a pipe that never ends
            *error = tooLargeMessage();
            return false;
        }
    }
    bytes.resize(used);
    return true;
}

// Cuts a file's bytes into table rows: lines end at CR LF, LF or CR, lines
// without a comma take no row, and a row ends at every fourteenth comma.
class RowCutter
{
public:
    explicit RowCutter(ExperienceTable &table) : table_(table) {}

    void comma(size_t at)
    {
        lineHasComma_ = true;
        if (++commas_ == kFieldsPerRow) {
            addRow(at);
            rowStart_ = at + 1;
            commas_ = 0;
        }
    }

    void lineEnd(size_t at, char c)
    {
        if (c == '\n' && at == lfEndsCr_) { // the LF of a CR LF
            rowStart_ = at + 1;
            return;
        }
        if (lineHasComma_ && rowStart_ < at)
            addRow(at);
        rowStart_ = at + 1;
        commas_ = 0;
        lineHasComma_ = false;
        lfEndsCr_ = c == '\r' ? at + 1 : SIZE_MAX;
    }

    void finish(size_t end)
    {
        if (lineHasComma_ && rowStart_ < end)
            addRow(end);
    }

    bool failed() const { return !failure_.isEmpty(); }
    const QString &failure() const { return failure_; }

private:
    void addRow(size_t end)
    {
        if (end - rowStart_ > std::numeric_limits<uint32_t>::max())
            failure_ = QStringLiteral("El archivo tiene un campo demasiado largo para una tabla.");
        else if (rows_ == kMaxReadRows)
            failure_ = tooManyLevelsMessage();
        if (failed())
            return;
        ++rows_;
        table_.appendArenaRow(rows_ + 1, rowStart_, end - rowStart_);
    }

    ExperienceTable &table_;
    size_t rowStart_ = 0;
    size_t lfEndsCr_ = SIZE_MAX;
    int commas_ = 0;
    bool lineHasComma_ = false;
    int32_t rows_ = 0;
    QString failure_;
};

inline void dispatch(RowCutter &cutter, size_t at, char c)
{
    if (c == ',')
        cutter.comma(at);
    else
        cutter.lineEnd(at, c);
}

// Bytes from..to of a file; a row may have begun in an earlier run.
void cutRows(const char *data, size_t from, size_t size, RowCutter &cutter)
{
    size_t i = from;
#if defined(__SSE2__)
    // Sixteen bytes at a time: only commas and line ends stop the scan.
    const __m128i comma = _mm_set1_epi8(','), cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
    for (; i + 16 <= size; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + i));
        const __m128i hits =
            _mm_or_si128(_mm_cmpeq_epi8(v, comma), _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
        for (unsigned mask = unsigned(_mm_movemask_epi8(hits)); mask != 0; mask &= mask - 1) {
            const size_t at = i + size_t(__builtin_ctz(mask));
            dispatch(cutter, at, data[at]);
        }
    }
#endif
    for (; i < size; ++i)
        if (data[i] == ',' || data[i] == '\r' || data[i] == '\n')
            dispatch(cutter, i, data[i]);
}

bool readTable(QIODevice &device, ExperienceTable &table, QString *error)
{
    ExperienceTable result;
    result.setRowCount(1);
    if (!device.isSequential())
        result.reserveRows(size_t(std::clamp<qint64>(device.size() / 128, 0, kMaxReadRows)));
    RowCutter cutter(result);
    ByteBuffer bytes;
    // Rows are cut as the bytes arrive, so an endless pipe of rows meets the
    // row bound long before the size bound.
    const bool read = readAll(device, bytes, error, [&](size_t from, size_t to) {
        cutRows(bytes.data(), from, to, cutter);
        return !cutter.failed();
    });
    if (read)
        cutter.finish(bytes.size());
    if (cutter.failed()) {
        *error = cutter.failure();
        return false;
    }
    if (!read)
        return false;
    result.adoptArena(std::move(bytes));
    result.shrinkRows();
    table.swap(result);
    return true;
}

} // namespace

QByteArray commentLine()
{
    return QByteArray(kCommentLinePrefix.data(), qsizetype(kCommentLinePrefix.size())) + Titulo().toLatin1();
}

QString tooManyLevelsMessage()
{
    return QStringLiteral("El archivo tiene más de %1 niveles y no puede ser una tabla de experiencia. "
                          "No se ha abierto.")
        .arg(kMaxReadRows);
}

QString tooManyRowsMessage(int32_t tableRows)
{
    return QStringLiteral("La tabla tiene %1 niveles y un archivo de tabla admite como máximo %2. "
                          "No se ha guardado nada.")
        .arg(tableRows)
        .arg(kMaxSavedRows);
}

bool LeerTabla(QIODevice &device, ExperienceTable &table, QString *error)
{
    try {
        return readTable(device, table, error);
    } catch (const std::bad_alloc &) {
        *error = outOfMemoryMessage();
        return false;
    }
}

bool readTableBytes(QIODevice &device, ByteBuffer &bytes, QString *error)
{
    try {
        ByteBuffer read;
        if (!readAll(device, read, error, [](size_t, size_t) { return true; }))
            return false;
        bytes = std::move(read);
        return true;
    } catch (const std::bad_alloc &) {
        *error = outOfMemoryMessage();
        return false;
    }
}

bool GuardarTabla(QIODevice &device, const ExperienceTable &table, QString *error)
{
    const int32_t rows = table.rowCount() - 1;
    if (rows > kMaxSavedRows) {
        *error = tooManyRowsMessage(rows);
        return false;
    }
    QByteArray out;
    out.reserve(std::min<qsizetype>(kReadChunk, 256 + qsizetype(rows) * 64) + 4096);
    auto flush = [&]() {
        // A short write is not yet a failure: the next one tells why it stopped.
        for (qsizetype done = 0; done < out.size();) {
            const qint64 written = device.write(out.constData() + done, out.size() - done);
            if (written <= 0) {
                *error = systemFailure(QString(), device.errorString());
                return false;
            }
            done += qsizetype(written);
        }
        out.clear();
        return true;
    };
    out += commentLine();
    out += "\r\n";
    for (int32_t r = 1; r <= rows; ++r) {
        const std::string_view packed = table.packedRow(r);
        out.append(packed.data(), qsizetype(packed.size()));
        int commas = 0;
        for (char c : packed)
            commas += c == ',';
        for (; commas < kFieldsPerRow - 1; ++commas)
            out += ',';
        out += "\r\n";
        if (out.size() >= kReadChunk && !flush())
            return false;
    }
    return flush();
}

namespace {

// The line ends in bytes [from, to) as the reader counts them: every CR, and
// every LF that does not follow a CR. Eight bytes a step: a report on a row
// deep in a large file would otherwise cost as much as reading it.
qint64 lineEnds(const char *bytes, size_t from, size_t to)
{
    qint64 ends = 0;
    bool afterCr = from > 0 && bytes[from - 1] == '\r';
    size_t at = from;
    for (; at + 8 <= to; at += 8) {
        const uint64_t word = littleEndianWord(bytes + at);
        const uint64_t cr = bytesEqual(word, '\r'), lf = bytesEqual(word, '\n');
        const uint64_t followsCr = cr << 8 | (afterCr ? 0x80u : 0u);
        // A one in each byte that ends a line, summed over the word by one
        // multiplication: the plain x86-64 build has no popcount instruction.
        const uint64_t perByte = (cr >> 7) + ((lf & ~followsCr) >> 7);
        ends += qint64((perByte * 0x0101010101010101ull) >> 56);
        afterCr = (cr >> 63) != 0;
    }
    for (; at < to; ++at) {
        const char c = bytes[at];
        ends += c == '\r' || (c == '\n' && !afterCr);
        afterCr = c == '\r';
    }
    return ends;
}

} // namespace

std::vector<qint64> fileLinesOfRows(const ExperienceTable &table, const std::vector<int32_t> &rows)
{
    const std::string_view bytes = table.arena();
    std::vector<qint64> lines;
    lines.reserve(rows.size());
    qint64 line = 1;
    size_t scanned = 0;
    for (const int32_t row : rows) {
        const qint64 offset = table.arenaOffset(row);
        if (offset < 0 || size_t(offset) > bytes.size()) {
            lines.push_back(0);
            continue;
        }
        if (size_t(offset) > scanned) {
            line += lineEnds(bytes.data(), scanned, size_t(offset));
            scanned = size_t(offset);
        }
        lines.push_back(line);
    }
    return lines;
}

QString notAPlainFileMessage()
{
    return QStringLiteral("El archivo no es un archivo de datos normal (es una tubería, un socket o un dispositivo) "
                          "y no puede ser una tabla de experiencia. No se ha abierto.");
}

bool readTableFile(const QString &path, ExperienceTable &table, QString *error, FileIdentity *identity)
{
    // Opening a named pipe waits for a writer and a device may never end:
    // refused before the open, so that the window never hangs on them.
    const FileKind kind = kindOf(path);
    if (kind == FileKind::Folder) {
        *error = folderGivenMessage();
        return false;
    }
    if (kind == FileKind::Other) {
        *error = notAPlainFileMessage();
        return false;
    }
    QFile file;
    if (!openNamed(file, path, QIODevice::ReadOnly, error))
        return false;
    if (!LeerTabla(file, table, error)) // QFile closes itself on every path
        return false;
    if (identity)
        *identity = identityOf(file);
    return true;
}

bool readTableFileBytes(const QString &path, ByteBuffer &bytes, QString *error)
{
    QFile file;
    return openNamed(file, path, QIODevice::ReadOnly, error) && readTableBytes(file, bytes, error);
}

bool writeTableFile(const QString &path, const ExperienceTable &table, QString *error)
{
    // Whole in memory first (a saved table is at most a few megabytes): a
    // refused table touches nothing, and the writer knows the size to reserve.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    return GuardarTabla(buffer, table, error) && writeFileBytes(path, buffer.data(), error);
}
