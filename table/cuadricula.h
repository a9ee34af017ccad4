// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include <QTableView>

class ExperienceTableModel;

// The grid `Cuadricula`: a fixed header row with the format string's texts,
// a fixed level-label column that neither scrolls nor takes the selection,
// and column widths fitted to each header piece, spaces included. Typing
// into it goes through its own CellEditingFilter (cell_editing.h).
class Cuadricula : public QTableView
{
    Q_OBJECT

public:
    explicit Cuadricula(ExperienceTableModel *model, QWidget *parent = nullptr);

    ExperienceTableModel *tableModel() const { return model_; }

    // The width a header piece needs in this grid's font.
    int headerPieceWidth(const QString &piece) const;
    QString cornerText() const;

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitColumns();
    void showFirstCell();

    ExperienceTableModel *model_;
};
