#pragma once
// A check box on the screen, bound to a headless CheckBox: every change of its state
// that the user makes (mouse, keyboard, accessibility) sets it as a user action; the
// widget shows its state.

#include <QCheckBox>

#include "desktop/UserActions.h"
#include "ui/CheckBox.h"

namespace condsim::qt {

class CheckBoxWidget : public QCheckBox, public Refreshable {
    Q_OBJECT
  public:
    CheckBoxWidget(CheckBox& box, UserActions& actions, QWidget* parent);
    void refreshFromState() override;

  private:
    CheckBox& box_;
    UserActions& actions_;
};

}  // namespace condsim::qt
