#include "desktop/MenuBarKeys.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <algorithm>

namespace condsim::qt {

MenuBarKeys::MenuBarKeys(QMainWindow& window)
    : QObject(&window), window_(window), bar_(*window.menuBar()) {
    bar_.installEventFilter(this);
    // Choosing an item of a menu, or of the bar itself, ends the visit of the bar.
    connect(&bar_, &QMenuBar::triggered, this, [this] { leave(); });
}

void MenuBarKeys::update() {
    for (QShortcut* shortcut : shortcuts_) delete shortcut;
    shortcuts_.clear();
    const QList<QAction*> items = bar_.actions();
    if (items.isEmpty()) return;
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), &window_);
    connect(f10, &QShortcut::activated, this, [this] {
        if (!bar_.actions().isEmpty()) enter(bar_.actions().first());
    });
    shortcuts_.push_back(f10);
    std::vector<QChar> letters;
    for (QAction* item : items) {
        if (item->text().isEmpty() || !item->text().at(0).isLetterOrNumber()) continue;
        const QChar letter = item->text().at(0).toUpper();
        if (std::find(letters.begin(), letters.end(), letter) != letters.end())
            continue;  // the first item wins
        letters.push_back(letter);
        auto* key = new QShortcut(QKeySequence(QStringLiteral("Alt+") + letter), &window_);
        connect(key, &QShortcut::activated, this, [this, item] { enter(item); });
        shortcuts_.push_back(key);
    }
}

void MenuBarKeys::enter(QAction* item) {
    if (!bar_.hasFocus()) returnFocusTo_ = QApplication::focusWidget();
    bar_.setFocus(Qt::MenuBarFocusReason);
    bar_.setActiveAction(item);
}

void MenuBarKeys::leave() {
    bar_.setActiveAction(nullptr);
    if (bar_.hasFocus()) {
        if (returnFocusTo_ != nullptr && returnFocusTo_->isVisible()) {
            returnFocusTo_->setFocus(Qt::MenuBarFocusReason);
        } else {
            bar_.clearFocus();
        }
    }
    returnFocusTo_ = nullptr;
}

bool MenuBarKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &bar_ || event->type() != QEvent::KeyPress || !bar_.hasFocus()) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    QAction* current = bar_.activeAction();
    switch (key->key()) {
        case Qt::Key_Escape:
            leave();
            return true;
        case Qt::Key_Down:
            if (current == nullptr || current->menu() == nullptr) return true;
            bar_.setActiveAction(current);  // drops the menu down
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (current == nullptr) return true;
            if (current->menu() != nullptr) {
                bar_.setActiveAction(current);
            } else {
                leave();
                current->trigger();
            }
            return true;
        default:
            return false;
    }
}

}  // namespace condsim::qt
