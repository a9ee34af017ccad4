// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include <QSortFilterProxyModel>

// Qt's file dialog writes sizes and dates in the system's locale and names
// folders in words Qt's Spanish translation lacks. Set on a file dialog, this
// shows them in the program's Spanish: "Carpeta", "8/12/26 22:50", "1,50 KiB".
class SpanishFileModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // The file model sorts by the values (folders first, dates as dates);
    // the proxy keeps its order instead of sorting the texts.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
};
