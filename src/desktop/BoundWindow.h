#pragma once
// The common part of the three window views: a top-level window bound to a headless
// WindowState, with its menu bar and a client area on which the controls stand at
// their design positions (120 pixels per inch, scaled to the screen). The builders make
// the controls of the design, bind them to the headless state and keep them for the
// refresh after every user action.

#include <QMainWindow>
#include <QString>
#include <functional>
#include <vector>

#include "core/CellTable.h"
#include "ui/CheckBox.h"
#include "ui/EditField.h"
#include "ui/Picture.h"
#include "ui/SpinField.h"
#include "ui/WindowState.h"
#include "desktop/DesignScale.h"
#include "desktop/UserActions.h"

class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;

namespace condsim::qt {

class CellTableView;
class CheckBoxWidget;
class EditFieldWidget;
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
    // The outer rectangle gives the window's position (as given) and outer size (scaled).
    BoundWindow(WindowState& window, UserActions& actions, const DesignScale& scale,
                const QString& caption, DesignRect outer);

    // Shows or hides the window as the state says, brings it to the front when asked,
    // and refreshes every bound control.
    void refreshFromState() override;

    QWidget& client() { return *client_; }

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
    CellTableView* addTable(CellTable& table, DesignRect place, const std::vector<int>& columnWidths,
                            int furtherColumnWidth = 64);
    // Also gives the headless picture its size on the screen, before anything is drawn.
    PictureWidget* addPicture(Picture& picture, DesignRect place);
    // A menu item running a handler; a null menu puts the item on the menu bar itself.
    void addMenuItem(QMenu* menu, const QString& caption, std::function<void()> handler);
    // The keyboard focus order among the given controls.
    static void setFocusOrder(const std::vector<QWidget*>& controls);

    UserActions& actions() { return actions_; }
    const DesignScale& scale() const { return scale_; }
    WindowState& windowState() { return window_; }

    // The close box only hides the window; the main window overrides this.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* parentOrClient(QWidget* parent) { return parent != nullptr ? parent : client_; }
    void fitOuterSize();

    WindowState& window_;
    UserActions& actions_;
    DesignScale scale_;
    QSize outerSize_;
    bool outerSizeFitted_ = false;
    QWidget* client_;
    std::vector<Refreshable*> bound_;
    unsigned long long shownRaiseRequests_;
};

}  // namespace condsim::qt
