// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "table/experience_table_model.h"

ExperienceTableModel::ExperienceTableModel(QObject *parent) : QAbstractTableModel(parent) {}

void ExperienceTableModel::replaceTable(ExperienceTable &&table)
{
    beginResetModel();
    table_.swap(table);
    endResetModel();
    ExperienceTable().swap(table); // the former table goes now, not with the caller's variable
}

void ExperienceTableModel::clearToEmptyTable()
{
    beginResetModel();
    table_.clearToEmptyTable();
    endResetModel();
}

bool ExperienceTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return false;
    const QString text = value.toString();
    for (const QChar c : text)
        if (c.unicode() > 0xff || c == u',' || c == u'\r' || c == u'\n')
            return false;
    const QByteArray bytes = text.toLatin1();
    table_.setValue(index.row() + 1, index.column() + 1, std::string_view(bytes.constData(), size_t(bytes.size())));
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

int ExperienceTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : table_.rowCount() - 1;
}

int ExperienceTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kLastValueColumn;
}

QVariant ExperienceTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole: {
        // Table files are single-byte text; Latin-1 shows every byte as one character.
        const std::string_view bytes = table_.value(index.row() + 1, index.column() + 1);
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    }
    default:
        return {};
    }
}

QVariant ExperienceTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < kLastValueColumn ? headerTexts()[size_t(section + 1)] : QVariant();
    if (section < 0 || section >= rowCount())
        return {};
    return QString::fromLatin1(table_.text(section + 1, 0));
}

Qt::ItemFlags ExperienceTableModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable : Qt::NoItemFlags;
}
