// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include "table/core/experience_table.h"

#include <QAbstractTableModel>

// The grid's store as the view sees it: one model row per table row, the
// fourteen value columns as model columns, the level labels and the header
// texts as header data. Value cells are editable through setData (the
// grid's typing); bulk replacements are a single model reset.
class ExperienceTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ExperienceTableModel(QObject *parent = nullptr);

    const ExperienceTable &table() const { return table_; }

    // Takes over `table` whole: one reset, however many rows.
    void replaceTable(ExperienceTable &&table);
    void clearToEmptyTable();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // A cell's new text in Qt::EditRole, as the grid's typing rule gives it:
    // Latin-1, without commas or line ends (which would break the row).
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    ExperienceTable table_;
};
