// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "core/typing.h"

bool isAcceptedCharacter(QChar typed)
{
    const char16_t c = typed.unicode();
    return (c >= u'0' && c <= u'9') || c == u'\b' || c == u'\r';
}

std::optional<QByteArray> textAfterTyping(const QByteArray &text, QChar typed)
{
    if (!isAcceptedCharacter(typed))
        return std::nullopt;
    if (typed == u'\r')
        return text;
    if (typed == u'\b')
        return text.left(std::max<qsizetype>(text.size() - 1, 0));
    return text + char(typed.unicode());
}
