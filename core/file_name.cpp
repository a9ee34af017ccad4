// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/file_name.h"

#include "core/shown_text.h"

namespace {

constexpr char16_t kFirstKeptByte = 0xDC80; // U+DC80 + (byte - 0x80), as in the surrogateescape scheme

} // namespace

QString nameFromSystem(std::string_view bytes)
{
    QString name;
    name.reserve(qsizetype(bytes.size()));
    for (size_t at = 0; at < bytes.size();) {
        char32_t codePoint = 0;
        if (const size_t length = utf8SequenceAt(bytes, at, &codePoint)) {
            name += QString::fromUcs4(&codePoint, 1);
            at += length;
        } else {
            name += QChar(char16_t(kFirstKeptByte + (static_cast<unsigned char>(bytes[at]) - 0x80)));
            at += 1;
        }
    }
    return name;
}

QByteArray systemName(const QString &name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype runStart = 0;
    const auto flushRun = [&](qsizetype end) { bytes += QStringView(name).sliced(runStart, end - runStart).toUtf8(); };
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (c >= kFirstKeptByte && c <= 0xDCFF && (i == 0 || !name[i - 1].isHighSurrogate())) {
            flushRun(i);
            bytes += char(0x80 + (c - kFirstKeptByte));
            runStart = i + 1;
        }
    }
    flushRun(name.size());
    return bytes;
}

QString shownName(const QString &name)
{
    const QByteArray bytes = systemName(name);
    return shownBytes(std::string_view(bytes.constData(), size_t(bytes.size())));
}
