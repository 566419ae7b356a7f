#include "desktop/CellTableView.h"

#include <QAccessible>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
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
    // Only the view with the keyboard has a current cell; the others show the selected
    // cell by its selection alone.
    const QModelIndex current = hasFocus() ? wanted : QModelIndex();
    const bool onlyWantedSelected =
        !wanted.isValid() ||
        (selectionModel()->isSelected(wanted) && selectionModel()->selectedIndexes().size() == 1);
    if (current == currentIndex() && onlyWantedSelected) return;
    const QScopedValueRollback<bool> showing(showing_, true);
    if (!wanted.isValid()) {
        selectionModel()->clear();
    } else if (current.isValid()) {
        selectionModel()->setCurrentIndex(wanted, QItemSelectionModel::ClearAndSelect);
    } else {
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        selectionModel()->select(wanted, QItemSelectionModel::ClearAndSelect);
        scrollTo(wanted);
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
    if (actions_.refreshing() || showing_ || !current.isValid()) return;
    if (current.column() == table_.selectedColumn() &&
        CellTableModel::tableRow(current.row()) == table_.selectedRow())
        return;
    selectByUser(current);
}

void CellTableView::selectionChanged(const QItemSelection& selected,
                                     const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    if (actions_.refreshing() || showing_) return;
    // A click or a keyboard move makes the cell current first, and currentChanged selects
    // it. Only a selection without a move (the accessibility interface selects a cell
    // that way, also in a table without the focus and so without a current cell) or the
    // loss of the selection is left to handle here.
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

void CellTableView::focusInEvent(QFocusEvent* event) {
    showTableSelection();  // the selected cell is current again, before Qt picks one
    QTableView::focusInEvent(event);
    viewport()->update();
}

void CellTableView::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    showTableSelection();  // no current cell without the keyboard
    viewport()->update();
}

void CellTableView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    if (!hasFocus()) return;
    // The focus frame: two pixels of the highlight colour along the inside of the cells'
    // area, whatever the style draws (or not) for a focused item view.
    QPainter painter(viewport());
    const QColor colour = palette().color(QPalette::Active, QPalette::Highlight);
    const QRect area = viewport()->rect();
    constexpr int frameWidth = 2;
    painter.fillRect(QRect(area.left(), area.top(), area.width(), frameWidth), colour);
    painter.fillRect(QRect(area.left(), area.bottom() + 1 - frameWidth, area.width(), frameWidth),
                     colour);
    painter.fillRect(QRect(area.left(), area.top(), frameWidth, area.height()), colour);
    painter.fillRect(QRect(area.right() + 1 - frameWidth, area.top(), frameWidth, area.height()),
                     colour);
}

}  // namespace condsim::qt
