#include "desktop/BoundWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "desktop/CellTableView.h"
#include "desktop/CheckBoxWidget.h"
#include "desktop/DesignGroupBox.h"
#include "desktop/EditFieldWidget.h"
#include "desktop/MenuBarKeys.h"
#include "desktop/PictureWidget.h"
#include "desktop/SpinFieldWidget.h"

namespace condsim::qt {

namespace {

// A control that Tab stops at: one that takes the focus by Tab itself, or passes it on
// to the control it stands for (a spin field to its text).
bool takesTabFocus(const QWidget& control) {
    const QWidget* target = control.focusProxy() != nullptr ? control.focusProxy() : &control;
    return (target->focusPolicy() & Qt::TabFocus) != 0;
}

// The controls an entry of the focus order stands for: itself, or the controls inside it.
void appendFocusControls(QWidget& entry, std::vector<QWidget*>& controls) {
    if (takesTabFocus(entry)) {
        controls.push_back(&entry);
        return;
    }
    for (QWidget* child : entry.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        appendFocusControls(*child, controls);
}

}  // namespace

BoundWindow::BoundWindow(WindowState& window, UserActions& actions, const DesignScale& scale,
                         const QString& caption, DesignRect outer)
    : window_(window),
      actions_(actions),
      scale_(scale),
      outerPosition_(scale(outer.left), scale(outer.top)),
      outerSize_(scale(outer.width), scale(outer.height)),
      scrollArea_(new QScrollArea(this)),
      client_(new QWidget),
      shownRaiseRequests_(window.raiseRequests) {
    setWindowTitle(caption);
    setFont(scale.defaultFont());
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setWidgetResizable(true);
    scrollArea_->setFocusPolicy(Qt::NoFocus);
    scrollArea_->setWidget(client_);
    setCentralWidget(scrollArea_);
    move(outerPosition_);
    resize(outerSize_);
    menuKeys_ = new MenuBarKeys(*this);
}

void BoundWindow::placeOnScreen() {
    // The design gives the outer size, frame included; the frame is known once the window
    // exists. Done once: a size or place the user gives the window later stays when it
    // is shown again.
    if (placed_) return;
    const QSize frame = frameGeometry().size() - geometry().size();
    // The content scrolls when the controls do not fit: never less than their extent.
    const QRect extent = client_->childrenRect();
    client_->setMinimumSize(std::max(extent.right() + 1, 0), std::max(extent.bottom() + 1, 0));
    QSize outer = outerSize_;
    QPoint position = frameGeometry().topLeft();
    if (const QScreen* shown = screen()) {
        // A screen smaller than the window: the window fills it and its content scrolls.
        const QRect available = shown->availableGeometry();
        outer = outer.boundedTo(available.size());
        const QRect wanted(position, outer);
        if (!available.contains(wanted)) {
            position.setX(
                std::clamp(position.x(), available.left(), available.right() + 1 - outer.width()));
            position.setY(
                std::clamp(position.y(), available.top(), available.bottom() + 1 - outer.height()));
        }
    }
    resize(outer - frame);
    move(position);
    // The position is that of the frame. While the window manager has not yet framed the
    // window, QWidget::move places the client area instead and asks for static gravity:
    // a window at the top of the screen would have its title bar above it, out of reach of
    // the mouse. The frame's position is asked for again, as the frame's.
    if (QWindow* handle = windowHandle(); handle != nullptr && frame.isEmpty())
        handle->setFramePosition(position);
    placed_ = !frame.isEmpty();
}

void BoundWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    menuKeys_->update();
    placeOnScreen();
    // The window manager may add the frame only after the window appeared.
    QTimer::singleShot(0, this, [this] {
        placeOnScreen();
        placed_ = true;
    });
}

void BoundWindow::closeEvent(QCloseEvent* event) {
    // While another action runs the window stays, as the state says.
    if (!actions_.run([this] { window_.hide(); })) {
        event->ignore();
        return;
    }
    event->accept();
}

void BoundWindow::refreshFromState() {
    for (Refreshable* control : bound_) control->refreshFromState();
    if (window_.visible != isVisible()) setVisible(window_.visible);
    if (window_.raiseRequests != shownRaiseRequests_) {
        shownRaiseRequests_ = window_.raiseRequests;
        if (isMinimized()) setWindowState(QWidget::windowState() & ~Qt::WindowMinimized);
        raise();
        activateWindow();
    }
}

QLabel* BoundWindow::addLabel(QWidget* parent, const QString& text, DesignRect place,
                              int fontPixels) {
    auto* label = new QLabel(text, parentOrClient(parent));
    label->setFont(scale_.captionFont(fontPixels));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scale_.place(*label, place.left, place.top, place.width, place.height);
    // Labels size themselves to their text: never cut a caption short.
    const int needed = label->sizeHint().width();
    if (needed > label->width()) label->resize(needed, label->height());
    return label;
}

QLabel* BoundWindow::addInstruction(QWidget* parent, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parentOrClient(parent));
    label->setFont(scale_.captionFont(18));
    paintRed(*label);
    label->move(scale_(left), scale_(top));
    label->adjustSize();
    return label;
}

void BoundWindow::paintRed(QLabel& label) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    label.setPalette(palette);
}

QGroupBox* BoundWindow::addGroupBox(const QString& caption, DesignRect place) {
    auto* box = new DesignGroupBox(caption, client_);
    box->setFont(scale_.captionFont());
    scale_.place(*box, place.left, place.top, place.width, place.height);
    return box;
}

QPushButton* BoundWindow::addButton(QWidget* parent, const QString& caption, DesignRect place,
                                    std::function<void()> handler) {
    auto* button = new QPushButton(caption, parentOrClient(parent));
    button->setFont(scale_.captionFont());
    button->setAutoDefault(false);
    scale_.place(*button, place.left, place.top, place.width, place.height);
    connect(button, &QPushButton::clicked, this,
            [this, handler = std::move(handler)] { actions_.run(handler); });
    return button;
}

EditFieldWidget* BoundWindow::addEditField(QWidget* parent, EditField& field, DesignRect place) {
    auto* edit = new EditFieldWidget(field, actions_, parentOrClient(parent));
    edit->setFont(scale_.defaultFont());
    scale_.place(*edit, place.left, place.top, place.width, place.height);
    bound_.push_back(edit);
    return edit;
}

SpinFieldWidget* BoundWindow::addSpinField(QWidget* parent, SpinField& field, DesignRect place) {
    auto* spin = new SpinFieldWidget(field, actions_, parentOrClient(parent));
    spin->setFont(scale_.defaultFont());
    scale_.place(*spin, place.left, place.top, place.width, place.height);
    bound_.push_back(spin);
    return spin;
}

CheckBoxWidget* BoundWindow::addCheckBox(QWidget* parent, CheckBox& box, DesignRect place) {
    auto* check = new CheckBoxWidget(box, actions_, parentOrClient(parent));
    scale_.place(*check, place.left, place.top, place.width, place.height);
    bound_.push_back(check);
    return check;
}

CellTableView* BoundWindow::addTable(CellTable& table, DesignRect place,
                                     const std::vector<int>& columnWidths, int furtherColumnWidth) {
    auto* view =
        new CellTableView(table, actions_, scale_, columnWidths, furtherColumnWidth, client_);
    view->setFont(scale_.defaultFont());
    scale_.place(*view, place.left, place.top, place.width, place.height);
    bound_.push_back(view);
    return view;
}

PictureWidget* BoundWindow::addPicture(Picture& picture, DesignRect place) {
    const QRect onScreen = scale_.rect(place.left, place.top, place.width, place.height);
    if (picture.canvas() == nullptr) picture.setSize(onScreen.width(), onScreen.height());
    auto* widget = new PictureWidget(picture, client_);
    widget->setGeometry(onScreen);
    bound_.push_back(widget);
    return widget;
}

QAction* BoundWindow::addMenuItem(QMenu* menu, const QString& caption,
                                  std::function<void()> handler, MenuItemRun when) {
    QAction* action = menu != nullptr ? menu->addAction(caption) : menuBar()->addAction(caption);
    connect(
        action, &QAction::triggered, this,
        [this, handler = std::move(handler)] { actions_.run(handler); },
        when == MenuItemRun::AfterTrigger ? Qt::QueuedConnection : Qt::AutoConnection);
    return action;
}

void BoundWindow::setFocusOrder(std::vector<QWidget*> controls) {
    focusOrder_ = std::move(controls);
}

std::vector<QWidget*> BoundWindow::focusCycle() const {
    std::vector<QWidget*> all;
    for (QWidget* entry : focusOrder_) appendFocusControls(*entry, all);
    std::vector<QWidget*> reachable;
    for (QWidget* control : all)
        if (control->isVisibleTo(this) && control->isEnabled()) reachable.push_back(control);
    return reachable;
}

bool BoundWindow::focusNextPrevChild(bool next) {
    // Qt's own chain runs through every focusable widget of the window in the order they
    // were made; the design's order is given instead, and it wraps around both ways.
    const std::vector<QWidget*> cycle = focusCycle();
    if (cycle.empty()) return QMainWindow::focusNextPrevChild(next);
    const QWidget* focus = QApplication::focusWidget();
    const auto holder = std::find_if(cycle.begin(), cycle.end(), [focus](const QWidget* control) {
        return focus != nullptr && (control == focus || control->isAncestorOf(focus));
    });
    const auto count = static_cast<std::ptrdiff_t>(cycle.size());
    std::ptrdiff_t target = next ? 0 : count - 1;
    if (holder != cycle.end()) target = ((holder - cycle.begin()) + (next ? 1 : count - 1)) % count;
    cycle[static_cast<size_t>(target)]->setFocus(next ? Qt::TabFocusReason
                                                      : Qt::BacktabFocusReason);
    return true;
}

void BoundWindow::nameControl(QWidget& control, const QString& designName,
                              const QString& spokenName) {
    control.setObjectName(designName);
    // A spin field speaks through its text: the part that takes the focus.
    QWidget& speaking = control.focusProxy() != nullptr ? *control.focusProxy() : control;
    speaking.setAccessibleName(spokenName);
    speaking.setAccessibleDescription(designName);
}

}  // namespace condsim::qt
