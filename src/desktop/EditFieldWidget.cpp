#include "desktop/EditFieldWidget.h"

namespace condsim::qt {

EditFieldWidget::EditFieldWidget(EditField& field, UserActions& actions, QWidget* parent)
    : QLineEdit(QString::fromStdString(field.text()), parent),
      field_(field),
      actions_(actions),
      shownRevision_(field.revision()) {
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (actions_.refreshing()) return;
        const std::string typed = text.toStdString();
        actions_.run([this, typed] { field_.setText(typed); });
    });
}

void EditFieldWidget::refreshFromState() {
    if (field_.revision() == shownRevision_) return;
    shownRevision_ = field_.revision();
    const QString text = QString::fromStdString(field_.text());
    if (this->text() != text) setText(text);
}

}  // namespace condsim::qt
