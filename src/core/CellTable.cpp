#include "core/CellTable.h"

namespace condsim {

namespace {
const std::string emptyText;
}

void CellTable::setRowCount(int rows) {
    if (rows < 0) rows = 0;
    if (rows == rowCount_) return;
    rowCount_ = rows;
    ++revision_;
    // Row 0 holds the headers and cannot be selected: with no data row left there is
    // nothing to move the selection to.
    if (selectedRow_ >= rowCount_ && rowCount_ > 1) select(selectedColumn_, rowCount_ - 1);
}

void CellTable::setColumnCount(int columns) {
    if (columns < 0) columns = 0;
    if (columns == columnCount_) return;
    columnCount_ = columns;
    ++revision_;
    if (selectedColumn_ >= columnCount_ && columnCount_ > 0) select(columnCount_ - 1, selectedRow_);
}

void CellTable::select(int column, int row) {
    if (onSelect_) onSelect_(column, row);
    selectedColumn_ = column;
    selectedRow_ = row;
    ++revision_;
}

const std::string& CellTable::cell(int column, int row) const {
    if (column < 0 || row < 0 || column >= static_cast<int>(columns_.size())) return emptyText;
    const auto& stored = columns_[static_cast<size_t>(column)];
    if (row >= static_cast<int>(stored.size())) return emptyText;
    return stored[static_cast<size_t>(row)];
}

void CellTable::setCell(int column, int row, std::string text) {
    if (column < 0 || row < 0) return;
    const auto c = static_cast<size_t>(column);
    const auto r = static_cast<size_t>(row);
    if (c >= columns_.size()) columns_.resize(c + 1);
    auto& stored = columns_[c];
    if (r >= stored.size()) stored.resize(r + 1);
    stored[r] = std::move(text);
    ++revision_;
}

}  // namespace condsim
