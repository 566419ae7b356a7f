#include "desktop/CellTableView.h"

#include <QAccessible>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QStyle>
#include <algorithm>

namespace condsim::qt {

namespace {
constexpr int designRowHeight = 20;
}

CellTableView::CellTableView(CellTable& table, UserActions& actions, const DesignScale& scale,
                             const std::vector<int>& designColumnWidths,
                             int furtherColumnDesignWidth, QWidget* parent)
    : QTableView(parent), table_(table), actions_(actions), model_(table) {
    for (const int width : designColumnWidths) columnWidths_.push_back(scale(width));
    setModel(&model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(false);  // Tab leaves the table for the next control
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setCornerButtonEnabled(false);

    const int rowHeight = scale(designRowHeight);
    QHeaderView* rows = verticalHeader();
    rows->hide();  // no fixed column
    rows->setMinimumSectionSize(1);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(rowHeight);

    QHeaderView* header = horizontalHeader();
    header->setSectionsClickable(false);  // header cells cannot be selected
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setMinimumSectionSize(1);
    header->setDefaultSectionSize(scale(furtherColumnDesignWidth));
    header->setFixedHeight(rowHeight);
    applyColumnWidths();
    showTableSelection();
}

void CellTableView::applyColumnWidths() {
    // Every cell shows its whole text: a column is as wide as its widest text or header,
    // and never narrower than the design. A table that outgrows its place scrolls.
    QHeaderView* header = horizontalHeader();
    const QFontMetrics metrics(font());
    const int textMargin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int padding = 2 * textMargin + (showGrid() ? 1 : 0);
    for (int column = 0; column < model_.columnCount(); ++column) {
        const auto index = static_cast<size_t>(column);
        int width =
            index < columnWidths_.size() ? columnWidths_[index] : header->defaultSectionSize();
        width = std::max(width, header->sectionSizeHint(column));
        for (int row = 0; row < model_.rowCount(); ++row) {
            const QString text = model_.index(row, column).data().toString();
            if (!text.isEmpty()) width = std::max(width, metrics.horizontalAdvance(text) + padding);
        }
        header->resizeSection(column, width);
    }
    widthsRevision_ = table_.revision();
}

void CellTableView::showTableSelection() {
    const QModelIndex wanted =
        model_.index(CellTableModel::modelRow(table_.selectedRow()), table_.selectedColumn());
    if (wanted == currentIndex() && (!wanted.isValid() || selectionModel()->isSelected(wanted)))
        return;
    if (wanted.isValid()) {
        selectionModel()->setCurrentIndex(wanted, QItemSelectionModel::ClearAndSelect);
    } else {
        selectionModel()->clear();
    }
}

void CellTableView::refreshFromState() {
    const bool countsChanged = model_.refreshFromTable();
    if (countsChanged || table_.revision() != widthsRevision_) applyColumnWidths();
    if (countsChanged) {
        // The accessibility interface keeps the cells it handed out, each tied to an index
        // that the reset made invalid: a screen reader would read them as empty.
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(this);
        if (accessible != nullptr && accessible->tableInterface() != nullptr) {
            QAccessibleTableModelChangeEvent reset(this,
                                                   QAccessibleTableModelChangeEvent::ModelReset);
            accessible->tableInterface()->modelChange(&reset);
        }
    }
    showTableSelection();
}

void CellTableView::selectByUser(const QModelIndex& index) {
    const int column = index.column();
    const int row = CellTableModel::tableRow(index.row());
    actions_.run([this, column, row] { table_.select(column, row); },
                 [this] { showTableSelection(); });
}

void CellTableView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (actions_.refreshing() || !current.isValid()) return;
    if (current.column() == table_.selectedColumn() &&
        CellTableModel::tableRow(current.row()) == table_.selectedRow())
        return;
    selectByUser(current);
}

void CellTableView::selectionChanged(const QItemSelection& selected,
                                     const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    if (actions_.refreshing()) return;
    // A click or a keyboard move makes the cell current first, and currentChanged selects
    // it. Only a selection without a move (the accessibility interface selects a cell
    // that way) or the loss of the selection is left to handle here.
    const QModelIndexList added = selected.indexes();
    if (added.size() == 1 && added.first() != currentIndex()) {
        selectByUser(added.first());
    } else if (selectedIndexes().isEmpty()) {
        actions_.showQuietly([this] { showTableSelection(); });
    }
}

void CellTableView::mousePressEvent(QMouseEvent* event) {
    const QModelIndex before = currentIndex();
    QTableView::mousePressEvent(event);
    const QModelIndex hit = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && hit.isValid() && hit == before &&
        hit == currentIndex())
        selectByUser(hit);
}

}  // namespace condsim::qt
