#include "desktop/CheckBoxWidget.h"

namespace condsim::qt {

CheckBoxWidget::CheckBoxWidget(CheckBox& box, UserActions& actions, QWidget* parent)
    : QCheckBox(parent), box_(box), actions_(actions) {
    setChecked(box.checked());
    // The change of state, not the click: a toggle by the keyboard or through the
    // accessibility interface reaches the state as well, once.
    connect(this, &QCheckBox::toggled, this, [this](bool checked) {
        if (actions_.refreshing()) return;
        actions_.run([this, checked] { box_.setChecked(checked); }, [this] { refreshFromState(); });
    });
}

void CheckBoxWidget::refreshFromState() {
    if (isChecked() != box_.checked()) setChecked(box_.checked());
}

}  // namespace condsim::qt
