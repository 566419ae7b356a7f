#pragma once
// A table of a window: a QTableView over a CellTable. The header row is fixed, cells
// cannot be typed into, one cell at a time is selected. A click or a keyboard move to a
// cell, or a selection through the accessibility interface, runs the table's
// select(column, row) as a user action (for the constants and factor tables that runs
// StringGrid2SelectCell); after every refresh the view's selected cell is the table's
// selected cell.
//
// Only the table that has the keyboard has a current cell: Qt reports a view's current
// cell to screen readers as focused whether or not the view has the focus, so a table
// gives up its current cell when it loses the focus and takes the selected cell as
// current again when it gets it back. The table with the focus draws a frame around its
// cells in the highlight colour, for the eye that looks for where the arrow keys act.

#include <QTableView>
#include <vector>

#include "core/CellTable.h"
#include "desktop/CellTableModel.h"
#include "desktop/DesignScale.h"
#include "desktop/UserActions.h"

namespace condsim::qt {

class CellTableView : public QTableView, public Refreshable {
    Q_OBJECT
  public:
    // Column widths in design pixels: the given ones for the first columns, the
    // further width for every other column; a column whose texts need more is widened.
    CellTableView(CellTable& table, UserActions& actions, const DesignScale& scale,
                  const std::vector<int>& designColumnWidths, int furtherColumnDesignWidth,
                  QWidget* parent);

    void refreshFromState() override;
    CellTableModel& cellModel() { return model_; }

  protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    // A click on the cell that is already current selects it again.
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void applyColumnWidths();
    void showTableSelection();
    void selectByUser(const QModelIndex& index);

    CellTable& table_;
    UserActions& actions_;
    CellTableModel model_;
    std::vector<int> columnWidths_;          // screen pixels
    unsigned long long widthsRevision_ = 0;  // the table's revision the widths were fitted to
    bool showing_ = false;                   // the view is being set to the table's selection
};

}  // namespace condsim::qt
