#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/CellTable.h"

namespace condsim {
namespace {

TEST(CellTable, KeepsCellsOutsideItsCounts) {
    CellTable table(2, 5);
    table.setCell(1, 4, "K4");
    table.setCell(3, 9, "far");  // beyond both counts
    EXPECT_EQ(table.cell(3, 9), "far");
    EXPECT_EQ(table.cell(0, 4), "");
    EXPECT_EQ(table.cell(7, 70), "");
    table.setRowCount(2);
    table.setColumnCount(1);
    EXPECT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.columnCount(), 1);
    EXPECT_EQ(table.cell(1, 4), "K4");
    table.setRowCount(10);
    table.setColumnCount(4);
    EXPECT_EQ(table.cell(1, 4), "K4");
    EXPECT_EQ(table.cell(3, 9), "far");
    table.setCell(1, 4, "new");
    EXPECT_EQ(table.cell(1, 4), "new");
}

TEST(CellTable, ShrinkingMovesTheSelectionThroughItsHandler) {
    CellTable table(2, 8);
    std::vector<std::pair<int, int>> handled;
    std::pair<int, int> selectedDuringHandler;
    table.setSelectionHandler([&](int c, int r) {
        handled.emplace_back(c, r);
        selectedDuringHandler = {table.selectedColumn(), table.selectedRow()};
    });
    table.select(1, 6);
    table.setRowCount(7);  // row 6 remains
    table.setRowCount(4);
    // The handler sees the cell about to be selected while the old one is still selected.
    EXPECT_EQ(handled, (std::vector<std::pair<int, int>>{{1, 6}, {1, 3}}));
    EXPECT_EQ(selectedDuringHandler, (std::pair<int, int>{1, 6}));
    EXPECT_EQ(table.selectedRow(), 3);
    EXPECT_EQ(table.selectedColumn(), 1);

    table.setColumnCount(1);
    EXPECT_EQ(handled.back(), (std::pair<int, int>{0, 3}));
    EXPECT_EQ(table.selectedColumn(), 0);

    // Only the header row left: no data row to move to.
    table.setRowCount(1);
    EXPECT_EQ(handled.size(), 3u);
}

}  // namespace
}  // namespace condsim
