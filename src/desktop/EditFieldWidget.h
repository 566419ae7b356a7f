#pragma once
// A single-line edit field on the screen, bound to a headless EditField: each change of
// its text by the user (typing, pasting, accessibility) sets the field's text as a user
// action; the widget shows the field's text, from its start when the program set it.
// Keys held with Alt or Ctrl type nothing.

#include <QLineEdit>

#include "desktop/UserActions.h"
#include "ui/EditField.h"

namespace condsim::qt {

class EditFieldWidget : public QLineEdit, public Refreshable {
    Q_OBJECT
  public:
    EditFieldWidget(EditField& field, UserActions& actions, QWidget* parent);
    void refreshFromState() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void showFieldText();

    EditField& field_;
    UserActions& actions_;
    unsigned long long shownRevision_;
};

}  // namespace condsim::qt
