#include "desktop/EditFieldWidget.h"

#include <QKeyEvent>

#include "desktop/TypedKeys.h"

namespace condsim::qt {

EditFieldWidget::EditFieldWidget(EditField& field, UserActions& actions, QWidget* parent)
    : QLineEdit(QString::fromStdString(field.text()), parent),
      field_(field),
      actions_(actions),
      shownRevision_(field.revision()) {
    // Every change of the text, typed or set through the accessibility interface; the
    // program's own changes come during a refresh and are ignored.
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (actions_.refreshing()) return;
        const std::string typed = text.toStdString();
        actions_.run([this, typed] { field_.setText(typed); }, [this] { showFieldText(); });
    });
}

void EditFieldWidget::refreshFromState() {
    if (field_.revision() == shownRevision_) return;
    showFieldText();
}

void EditFieldWidget::showFieldText() {
    shownRevision_ = field_.revision();
    const QString text = QString::fromStdString(field_.text());
    if (this->text() == text) return;
    setText(text);
    setCursorPosition(0);  // a text the program sets is read from its start
}

void EditFieldWidget::keyPressEvent(QKeyEvent* event) {
    if (isChordWithText(*event)) {
        event->ignore();  // for the window: the menu bar's keys
        return;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace condsim::qt
