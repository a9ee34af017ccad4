#include "cell_editing.h"

#include "table/cuadricula.h"
#include "table/experience_table_model.h"

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

    // Exactly one of "0123456789", backspace or carriage return; nothing else.
    static const QString accepted = QStringLiteral("0123456789\b\r");
    if (typed.size() != 1 || !accepted.contains(typed.at(0)))
        return true;

    const QModelIndex current = grid_->currentIndex();
    const QChar c = typed.at(0);
    if (current.isValid() && c != QLatin1Char('\r')) {
        const int32_t row = current.row() + 1;
        const int column = current.column() + 1;
        ExperienceTableModel *model = grid_->tableModel();
        QByteArray text = model->cellText(row, column);
        if (c == QLatin1Char('\b')) {
            if (text.isEmpty())
                return true;
            text.chop(1);
        } else {
            text += char(c.unicode());
        }
        model->setCellText(row, column, std::string_view(text.constData(), size_t(text.size())));
    }
    // The grid would take a digit for a keyboard search and move the current cell.
    return true;
}
