#include "desktop/CheckBoxWidget.h"

namespace condsim::qt {

CheckBoxWidget::CheckBoxWidget(CheckBox& box, UserActions& actions, QWidget* parent)
    : QCheckBox(parent), box_(box), actions_(actions) {
    setChecked(box.checked());
    connect(this, &QCheckBox::clicked, this, [this](bool checked) {
        if (actions_.refreshing()) return;
        actions_.run([this, checked] { box_.setChecked(checked); });
    });
}

void CheckBoxWidget::refreshFromState() {
    if (isChecked() != box_.checked()) setChecked(box_.checked());
}

}  // namespace condsim::qt
