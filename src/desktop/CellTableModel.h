#pragma once
// A read-only item model over a CellTable. Row 0 of the table is the header row and is
// given as the horizontal header; table rows 1 .. rowCount - 1 are the model's rows
// 0 .. rowCount - 2. refreshFromTable() brings the model up to date: a change of the
// counts resets the model, a change of cell texts only emits dataChanged, so a view
// keeps its current cell.

#include <QAbstractTableModel>
#include <QStringList>

#include "core/CellTable.h"

namespace condsim::qt {

class CellTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit CellTableModel(const CellTable& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The table row that a model row shows, and back.
    static int tableRow(int modelRow) { return modelRow + 1; }
    static int modelRow(int tableRow) { return tableRow - 1; }

    // Compares with the table when its revision changed; returns true when the model
    // was reset (the counts changed).
    bool refreshFromTable();

  private:
    void takeSnapshot();

    const CellTable& table_;
    unsigned long long revision_;
    int rows_ = 0;     // data rows shown
    int columns_ = 0;  // columns shown
    QStringList headers_;
    QStringList cells_;  // row-major, rows_ x columns_
};

}  // namespace condsim::qt
