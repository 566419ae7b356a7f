#pragma once
// A spin field on the screen: a line edit with up and down arrows, bound to a headless
// SpinField. Any whole number can be typed; from the keyboard only digits, "+", "-" and
// the decimal separator are taken, other characters are refused with a beep; pasted
// text is not filtered. Each change of the text by the user (typing, pasting, the
// accessibility interface) runs userSetText, the arrows and the Up and Down keys run
// userStep(+1 / -1), Enter runs userCommit (a beep when nothing was typed; a text set
// whole rather than typed key by key is committed at once), losing the
// focus to another control runs userLeave, each as a user action. The widget then shows
// the field's text.

#include <QLineEdit>
#include <QWidget>

#include "desktop/UserActions.h"
#include "ui/SpinField.h"

class QToolButton;

namespace condsim::qt {

// The line edit of a spin field: filters typed characters, turns the arrow keys into
// steps and reports leaving the field.
class SpinLineEdit : public QLineEdit {
    Q_OBJECT
  public:
    using QLineEdit::QLineEdit;

    // Whether the text is being changed by a key press (typing), rather than set whole
    // (by the accessibility interface, or a paste from the context menu).
    bool typingKey() const { return typingKey_; }

  signals:
    void stepRequested(int delta);
    void commitRequested();
    void left();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    bool typingKey_ = false;
};

class SpinFieldWidget : public QWidget, public Refreshable {
    Q_OBJECT
  public:
    SpinFieldWidget(SpinField& field, UserActions& actions, QWidget* parent);

    void refreshFromState() override;
    QLineEdit& lineEdit() { return *edit_; }
    QToolButton& upButton() { return *up_; }
    QToolButton& downButton() { return *down_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void step(int delta);
    void showFieldText();

    SpinField& field_;
    UserActions& actions_;
    SpinLineEdit* edit_;
    QToolButton* up_;
    QToolButton* down_;
    unsigned long long shownRevision_;
};

}  // namespace condsim::qt
