// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "table/cuadricula.h"

#include "table/cell_editing.h"
#include "table/experience_table_model.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace {

// Light grey lines between the cells.
class GridLineStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_Table_GridLineColor)
            return int(qRgb(0xc0, 0xc0, 0xc0));
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Cells in the grid's base colour; the area past the last row and column
// keeps the viewport's button face.
class CellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->backgroundBrush = option->palette.brush(QPalette::Active, QPalette::Base);
    }
};

} // namespace

Cuadricula::Cuadricula(ExperienceTableModel *model, QWidget *parent) : QTableView(parent), model_(model)
{
    setObjectName(QStringLiteral("Cuadricula"));
    setAccessibleName(QStringLiteral("Tabla de experiencia"));
    auto *style = new GridLineStyle;
    style->setParent(this);
    setStyle(style);

    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPointSizeF(8.25);
    setFont(font);

    // Cells in the base colour, the rest of the area in the button face.
    setItemDelegate(new CellDelegate(this));
    viewport()->setBackgroundRole(QPalette::Button);
    setModel(model_);

    setEditTriggers(NoEditTriggers); // typing goes through the cell-editing key filter
    new CellEditingFilter(this);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setCornerButtonEnabled(false);

    for (QHeaderView *header : {horizontalHeader(), verticalHeader()}) {
        header->setSectionsClickable(false);
        header->setHighlightSections(false);
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setFont(font);
    }
    // Uniform row heights: a million rows cost no more than ten.
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setMinimumWidth(headerPieceWidth(cornerText()));
    fitColumns();
    connect(model_, &QAbstractItemModel::modelReset, this, &Cuadricula::fitColumns);
    connect(model_, &QAbstractItemModel::modelReset, this, &Cuadricula::showFirstCell);

    if (auto *corner = findChild<QAbstractButton *>())
        corner->installEventFilter(this);
}

QString Cuadricula::cornerText() const
{
    return headerTexts()[0];
}

int Cuadricula::headerPieceWidth(const QString &piece) const
{
    QStyleOptionHeader option;
    option.initFrom(horizontalHeader());
    option.text = piece;
    option.fontMetrics = QFontMetrics(font());
    return horizontalHeader()
        ->style()
        ->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), horizontalHeader())
        .width();
}

void Cuadricula::fitColumns()
{
    for (int column = 0; column < kLastValueColumn; ++column)
        horizontalHeader()->resizeSection(column, headerPieceWidth(headerTexts()[size_t(column + 1)]));
}

void Cuadricula::showFirstCell()
{
    // A new table starts at its first cell, and the view goes there with it:
    // a typed digit must land in a cell the user sees.
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    if (model_->rowCount() > 0)
        setCurrentIndex(model_->index(0, 0));
}

bool Cuadricula::eventFilter(QObject *watched, QEvent *event)
{
    // The corner above the label column shows the label column's header.
    auto *corner = qobject_cast<QAbstractButton *>(watched);
    if (corner && event->type() == QEvent::Paint) {
        QStylePainter painter(corner);
        QStyleOptionHeader option;
        option.initFrom(corner);
        option.palette.setCurrentColorGroup(QPalette::Active);
        option.state = QStyle::State_Enabled | QStyle::State_Raised;
        option.rect = corner->rect();
        option.text = cornerText();
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        painter.setFont(font());
        painter.drawControl(QStyle::CE_Header, option);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}
