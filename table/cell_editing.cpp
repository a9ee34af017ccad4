// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "table/cell_editing.h"

#include "core/typing.h"
#include "table/cuadricula.h"

#include <QKeyEvent>

namespace {

bool isNavigationKey(int key)
{
    return key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Delete;
}

} // namespace

CellEditingFilter::CellEditingFilter(Cuadricula *grid) : QObject(grid), grid_(grid)
{
    grid->installEventFilter(this);
}

bool CellEditingFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != grid_ || event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const QString typed = key->text();
    if (typed.isEmpty() || isNavigationKey(key->key()))
        return false;
    // An input method's composed text is more than one character: refused whole.
    if (typed.size() != 1)
        return true;

    const QModelIndex current = grid_->currentIndex();
    if (current.isValid()) {
        QAbstractItemModel *model = grid_->model();
        const QByteArray before = model->data(current, Qt::EditRole).toString().toLatin1();
        const std::optional<QByteArray> after = textAfterTyping(before, typed.at(0));
        if (after && *after != before)
            model->setData(current, QString::fromLatin1(*after), Qt::EditRole);
    }
    // Swallowed even when accepted: the grid would take a digit for a keyboard
    // search and move the current cell.
    return true;
}
