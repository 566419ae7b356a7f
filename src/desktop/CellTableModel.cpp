#include "desktop/CellTableModel.h"

#include <algorithm>

namespace condsim::qt {

CellTableModel::CellTableModel(const CellTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table), revision_(table.revision()) {
    takeSnapshot();
}

void CellTableModel::takeSnapshot() {
    rows_ = std::max(table_.rowCount() - 1, 0);
    columns_ = std::max(table_.columnCount(), 0);
    headers_.clear();
    cells_.clear();
    cells_.reserve(static_cast<qsizetype>(rows_) * columns_);
    for (int column = 0; column < columns_; ++column)
        headers_.append(QString::fromStdString(table_.cell(column, 0)));
    for (int row = 0; row < rows_; ++row)
        for (int column = 0; column < columns_; ++column)
            cells_.append(QString::fromStdString(table_.cell(column, tableRow(row))));
}

int CellTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int CellTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant CellTableModel::data(const QModelIndex& index, int role) const {
    // An invalid index has no data; it is asked for, by a view's accessibility interface
    // holding a cell from before a reset, for instance.
    if (!index.isValid()) return {};
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role != Qt::DisplayRole) return {};
    return cells_.at(index.row() * columns_ + index.column());
}

QVariant CellTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_) return {};
    if (role == Qt::DisplayRole) return headers_.at(section);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

Qt::ItemFlags CellTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

bool CellTableModel::refreshFromTable() {
    if (table_.revision() == revision_) return false;
    revision_ = table_.revision();
    const int rows = std::max(table_.rowCount() - 1, 0);
    const int columns = std::max(table_.columnCount(), 0);
    if (rows != rows_ || columns != columns_) {
        beginResetModel();
        takeSnapshot();
        endResetModel();
        return true;
    }
    const QStringList oldHeaders = headers_;
    const QStringList oldCells = cells_;
    takeSnapshot();
    if (headers_ != oldHeaders) emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
    if (cells_ != oldCells && rows_ > 0 && columns_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1), {Qt::DisplayRole});
    return false;
}

}  // namespace condsim::qt
