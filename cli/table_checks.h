#pragma once

// `vandrel-exp comprobar` and `vandrel-exp comparar`: what an admin asks of a
// table before it goes live.

#include <QStringList>

// comprobar ARCHIVO [--tipo int32|uint32|int64] [--niveles N] [--json]
// Exit 0 without errors, 1 with at least one, 2 when the file cannot be read.
int comprobar(const QStringList &args);

// comparar A B: exit 0 when equal in every cell, 1 when not, 2 when a file
// cannot be read.
int comparar(const QStringList &args);
