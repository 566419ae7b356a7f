#pragma once
// The common part of the window views: a top-level window bound to a headless
// WindowState, with its menu bar and a client area on which the controls stand at
// their design positions (120 pixels per inch, scaled to the screen). The client area
// scrolls when the screen is too small for the window. The builders make the controls
// of the design, bind them to the headless state and keep them for the refresh after
// every user action. Tab and Shift+Tab run one cycle through the window's controls.

#include <QMainWindow>
#include <QString>
#include <functional>
#include <vector>

#include "core/CellTable.h"
#include "desktop/DesignScale.h"
#include "desktop/UserActions.h"
#include "ui/CheckBox.h"
#include "ui/EditField.h"
#include "ui/Picture.h"
#include "ui/SpinField.h"
#include "ui/WindowState.h"

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;

namespace condsim::qt {

class CellTableView;
class CheckBoxWidget;
class EditFieldWidget;
class MenuBarKeys;
class PictureWidget;
class SpinFieldWidget;

// Left, top, width and height in design pixels.
struct DesignRect {
    int left;
    int top;
    int width;
    int height;
};

class BoundWindow : public QMainWindow, public Refreshable {
    Q_OBJECT
  public:
    // The outer rectangle gives the window's position and outer size, frame included.
    BoundWindow(WindowState& window, UserActions& actions, const DesignScale& scale,
                const QString& caption, DesignRect outer);

    // Shows or hides the window as the state says, brings it to the front when asked,
    // and refreshes every bound control.
    void refreshFromState() override;

    QWidget& client() { return *client_; }
    QScrollArea& clientScrollArea() { return *scrollArea_; }

    // The controls that Tab visits, in order, as the window now stands: hidden and
    // disabled controls are left out.
    std::vector<QWidget*> focusCycle() const;

  protected:
    // Builders. A null parent means the client area; positions are relative to the parent.
    QLabel* addLabel(QWidget* parent, const QString& text, DesignRect place, int fontPixels = 18);
    // The red numbered instruction labels: 18 px, sized to their text.
    QLabel* addInstruction(QWidget* parent, const QString& text, int left, int top);
    static void paintRed(QLabel& label);
    QGroupBox* addGroupBox(const QString& caption, DesignRect place);
    QPushButton* addButton(QWidget* parent, const QString& caption, DesignRect place,
                           std::function<void()> handler);
    EditFieldWidget* addEditField(QWidget* parent, EditField& field, DesignRect place);
    SpinFieldWidget* addSpinField(QWidget* parent, SpinField& field, DesignRect place);
    CheckBoxWidget* addCheckBox(QWidget* parent, CheckBox& box, DesignRect place);
    CellTableView* addTable(CellTable& table, DesignRect place,
                            const std::vector<int>& columnWidths, int furtherColumnWidth = 64);
    // Also gives the headless picture its size on the screen, before anything is drawn.
    PictureWidget* addPicture(Picture& picture, DesignRect place);
    // When a menu item's handler runs: at once, or after the trigger has returned to the
    // event loop. An item that opens a modal dialog runs after: the press that triggered
    // it (a screen reader's action, a key, a click) returns at once, and the dialog opens
    // after it, instead of holding the caller until the dialog closes.
    enum class MenuItemRun { AtOnce, AfterTrigger };
    // A menu item running a handler; a null menu puts the item on the menu bar itself.
    QAction* addMenuItem(QMenu* menu, const QString& caption, std::function<void()> handler,
                         MenuItemRun when = MenuItemRun::AtOnce);
    // The keyboard focus cycle: Tab visits the controls in the order given and comes back
    // to the first, Shift+Tab runs the same cycle backwards. A control that takes no focus
    // itself (a group box) stands for the controls inside it, in the order they were made.
    void setFocusOrder(std::vector<QWidget*> controls);
    // The design name of a control as its object name and its accessible description,
    // and the words a screen reader says for it (its caption or label) as its name.
    static void nameControl(QWidget& control, const QString& designName, const QString& spokenName);

    UserActions& actions() { return actions_; }
    const DesignScale& scale() const { return scale_; }
    WindowState& windowState() { return window_; }

    // The close box only hides the window; the main window overrides this.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    QWidget* parentOrClient(QWidget* parent) { return parent != nullptr ? parent : client_; }
    void placeOnScreen();

    WindowState& window_;
    UserActions& actions_;
    DesignScale scale_;
    QPoint outerPosition_;
    QSize outerSize_;
    bool placed_ = false;
    QScrollArea* scrollArea_;
    QWidget* client_;
    std::vector<QWidget*> focusOrder_;
    MenuBarKeys* menuKeys_ = nullptr;
    std::vector<Refreshable*> bound_;
    unsigned long long shownRaiseRequests_;
};

}  // namespace condsim::qt
