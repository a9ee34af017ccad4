// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "widgets/spanish_file_model.h"

#include <QFileSystemModel>
#include <QLocale>

QVariant SpanishFileModel::data(const QModelIndex &index, int role) const
{
    const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
    if (role != Qt::DisplayRole || !files || !index.isValid())
        return QSortFilterProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    const QLocale spanish; // the program's default locale
    switch (index.column()) {
    case 1:
        return files->isDir(source) ? QString() : spanish.formattedDataSize(files->size(source));
    case 2:
        return files->isDir(source) ? QStringLiteral("Carpeta") : QSortFilterProxyModel::data(index, role);
    case 3:
        return spanish.toString(files->lastModified(source), QLocale::ShortFormat);
    default:
        return QSortFilterProxyModel::data(index, role);
    }
}

void SpanishFileModel::sort(int column, Qt::SortOrder order)
{
    if (sourceModel())
        sourceModel()->sort(column, order);
}
