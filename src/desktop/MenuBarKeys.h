#pragma once
// Keyboard access to a window's menu bar, whose captions carry no mnemonics: Alt with the
// first letter of an item's caption goes to that item, F10 to the first item. An item
// with a menu drops it down; an item without one is highlighted and runs on Enter. The
// arrow keys move along the bar, and Escape leaves it and gives the focus back to the
// control that had it, as does choosing an item. The captions stay as they are.

#include <QObject>
#include <QPointer>
#include <vector>

class QAction;
class QMainWindow;
class QMenuBar;
class QShortcut;

namespace condsim::qt {

class MenuBarKeys : public QObject {
  public:
    explicit MenuBarKeys(QMainWindow& window);

    // Makes the keys for the items the menu bar now holds.
    void update();
    // Goes to an item of the menu bar, as its keys do.
    void enter(QAction* item);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void leave();

    QMainWindow& window_;
    QMenuBar& bar_;
    QPointer<QWidget> returnFocusTo_;
    std::vector<QShortcut*> shortcuts_;
};

}  // namespace condsim::qt
