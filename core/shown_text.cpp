// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/shown_text.h"

namespace {

// C0 and C1 controls and DEL: what a terminal acts on instead of showing.
bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

void appendEscaped(QString &out, unsigned byte)
{
    switch (byte) {
    case '\n':
        out += QStringLiteral("\\n");
        return;
    case '\t':
        out += QStringLiteral("\\t");
        return;
    case '\r':
        out += QStringLiteral("\\r");
        return;
    default:
        out += QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'));
    }
}

} // namespace

// The code point of the well-formed UTF-8 sequence at `at`, and its length;
// 0 for a byte that starts none (a lone continuation, an overlong form, a
// surrogate, past U+10FFFF, a sequence cut short).
size_t utf8SequenceAt(std::string_view bytes, size_t at, char32_t *codePoint)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned lead = byte(at);
    size_t length = 0;
    char32_t c = 0, least = 0;
    if (lead < 0x80)
        return *codePoint = lead, 1;
    if ((lead & 0xE0) == 0xC0)
        length = 2, c = lead & 0x1F, least = 0x80;
    else if ((lead & 0xF0) == 0xE0)
        length = 3, c = lead & 0x0F, least = 0x800;
    else if ((lead & 0xF8) == 0xF0)
        length = 4, c = lead & 0x07, least = 0x10000;
    else
        return 0;
    if (at + length > bytes.size())
        return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (byte(at + i) & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    *codePoint = c;
    return length;
}

QString shownBytes(std::string_view bytes)
{
    QString out;
    out.reserve(qsizetype(bytes.size()));
    for (size_t at = 0; at < bytes.size();) {
        char32_t c = 0;
        const size_t length = utf8SequenceAt(bytes, at, &c);
        if (length == 0 || isControl(c)) {
            appendEscaped(out, static_cast<unsigned char>(bytes[at]));
            at += 1;
            continue;
        }
        out += QString::fromUcs4(&c, 1);
        at += length;
    }
    return out;
}

QString shownText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (isControl(c.unicode()))
            appendEscaped(out, c.unicode());
        else
            out += c;
    }
    return out;
}
