#include "desktop/BoundWindow.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include "desktop/CellTableView.h"
#include "desktop/CheckBoxWidget.h"
#include "desktop/EditFieldWidget.h"
#include "desktop/PictureWidget.h"
#include "desktop/SpinFieldWidget.h"

namespace condsim::qt {

BoundWindow::BoundWindow(WindowState& window, UserActions& actions, const DesignScale& scale,
                         const QString& caption, DesignRect outer)
    : window_(window),
      actions_(actions),
      scale_(scale),
      outerSize_(scale(outer.width), scale(outer.height)),
      client_(new QWidget(this)),
      shownRaiseRequests_(window.raiseRequests) {
    setWindowTitle(caption);
    setFont(scale.defaultFont());
    setCentralWidget(client_);
    move(outer.left, outer.top);
    resize(outerSize_);
}

void BoundWindow::fitOuterSize() {
    // The design gives the outer size; the frame is known once the window exists.
    // Done once: a size the user gives the window later stays when it is shown again.
    if (outerSizeFitted_) return;
    const QSize frame = frameGeometry().size() - geometry().size();
    if (frame.isEmpty()) return;
    resize(outerSize_ - frame);
    outerSizeFitted_ = true;
}

void BoundWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    fitOuterSize();
    QTimer::singleShot(0, this, [this] { fitOuterSize(); });
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

QLabel* BoundWindow::addLabel(QWidget* parent, const QString& text, DesignRect place, int fontPixels) {
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
    auto* box = new QGroupBox(caption, client_);
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
    connect(button, &QPushButton::clicked, this, [this, handler = std::move(handler)] { actions_.run(handler); });
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

CellTableView* BoundWindow::addTable(CellTable& table, DesignRect place, const std::vector<int>& columnWidths,
                                     int furtherColumnWidth) {
    auto* view = new CellTableView(table, actions_, scale_, columnWidths, furtherColumnWidth, client_);
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

void BoundWindow::addMenuItem(QMenu* menu, const QString& caption, std::function<void()> handler) {
    QAction* action = menu != nullptr ? menu->addAction(caption) : menuBar()->addAction(caption);
    connect(action, &QAction::triggered, this, [this, handler = std::move(handler)] { actions_.run(handler); });
}

void BoundWindow::setFocusOrder(const std::vector<QWidget*>& controls) {
    for (size_t i = 1; i < controls.size(); ++i) QWidget::setTabOrder(controls[i - 1], controls[i]);
}

}  // namespace condsim::qt
