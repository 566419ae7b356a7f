#pragma once
// The data of one table of a window: text cells addressed by column and row (both from
// 0), with a row count and a column count. Row 0 holds the headers. The table keeps every
// cell ever written, also outside its current counts: lowering a count hides cells,
// raising it shows their old text again.

#include <functional>
#include <string>
#include <vector>

namespace condsim {

class CellTable {
  public:
    CellTable(int columnCount, int rowCount) : columnCount_(columnCount), rowCount_(rowCount) {}

    int rowCount() const { return rowCount_; }
    int columnCount() const { return columnCount_; }
    void setRowCount(int rows);
    void setColumnCount(int columns);

    // The stored text of a cell, empty when never written. Any column and row >= 0.
    const std::string& cell(int column, int row) const;
    void setCell(int column, int row, std::string text);

    // The selected cell. A view selects through select(), which runs the selection
    // handler with the cell about to be selected and then moves the selection there.
    // When a lower row count leaves the selection outside the table, the selection moves
    // to the last row that remains, and that move counts as a selection.
    int selectedColumn() const { return selectedColumn_; }
    int selectedRow() const { return selectedRow_; }
    void select(int column, int row);
    using SelectionHandler = std::function<void(int column, int row)>;
    void setSelectionHandler(SelectionHandler handler) { onSelect_ = std::move(handler); }

    // Grows by one with every change of a cell or a count, so that a view can tell
    // whether it must refresh.
    unsigned long long revision() const { return revision_; }

  private:
    int columnCount_;
    int rowCount_;
    std::vector<std::vector<std::string>> columns_;  // columns_[column][row]
    int selectedColumn_ = 0;
    int selectedRow_ = 1;
    SelectionHandler onSelect_;
    unsigned long long revision_ = 0;
};

}  // namespace condsim
