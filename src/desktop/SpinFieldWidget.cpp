#include "desktop/SpinFieldWidget.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QToolButton>
#include <algorithm>

#include "desktop/TypedKeys.h"
#include "files/DecimalSeparator.h"

namespace condsim::qt {

namespace {

bool typeable(QChar character) {
    if (character >= QLatin1Char('0') && character <= QLatin1Char('9')) return true;
    if (character == QLatin1Char('+') || character == QLatin1Char('-')) return true;
    return character == QLatin1Char(decimalSeparator());
}

// What a screen reader meets of a spin field: a group named as the field, holding the
// text (which takes the focus and carries the field's name and design name) and the two
// arrows. Qt counts a widget whose focus proxy has the focus as focused itself; the
// group is not, so that exactly one object, the text, is the field with the focus.
class SpinFieldAccessible : public QAccessibleWidget {
  public:
    explicit SpinFieldAccessible(QWidget* field)
        : QAccessibleWidget(field, QAccessible::Grouping) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.focused = false;
        state.focusable = false;
        return state;
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->focusProxy() != nullptr)
            return widget()->focusProxy()->accessibleName();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* spinFieldAccessible(const QString&, QObject* object) {
    if (auto* field = qobject_cast<SpinFieldWidget*>(object)) return new SpinFieldAccessible(field);
    return nullptr;
}

}  // namespace

void SpinLineEdit::keyPressEvent(QKeyEvent* event) {
    if (isChordWithText(*event)) {
        event->ignore();  // for the window: the menu bar's keys
        return;
    }
    switch (event->key()) {
        case Qt::Key_Up:
            emit stepRequested(+1);
            return;
        case Qt::Key_Down:
            emit stepRequested(-1);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit commitRequested();  // Enter types nothing; it commits the typed text
            return;
        default:
            break;
    }
    if (typesCharacters(*event)) {  // only numbers are typed; other keys are refused
        const QString text = event->text();
        for (const QChar character : text) {
            if (!typeable(character)) {
                QApplication::beep();
                return;
            }
        }
    }
    const QScopedValueRollback<bool> typing(typingKey_, true);
    QLineEdit::keyPressEvent(event);
}

void SpinLineEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A message box, another window or a visit of the menu bar taking the focus is not
    // leaving the field.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason ||
        event->reason() == Qt::MenuBarFocusReason)
        return;
    emit left();
}

SpinFieldWidget::SpinFieldWidget(SpinField& field, UserActions& actions, QWidget* parent)
    : QWidget(parent),
      field_(field),
      actions_(actions),
      edit_(new SpinLineEdit(QString::fromStdString(field.text()), this)),
      up_(new QToolButton(this)),
      down_(new QToolButton(this)),
      shownRevision_(field.revision()) {
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(spinFieldAccessible);
        return true;
    }();
    (void)accessibleInstalled;
    setFocusProxy(edit_);
    setFocusPolicy(Qt::StrongFocus);
    for (QToolButton* button : {up_, down_}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
        connect(button, &QToolButton::pressed, this,
                [this] { edit_->setFocus(Qt::MouseFocusReason); });
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setAccessibleName(QStringLiteral("Increase"));
    down_->setAccessibleName(QStringLiteral("Decrease"));
    connect(up_, &QToolButton::clicked, this, [this] { step(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
    connect(edit_, &SpinLineEdit::stepRequested, this, [this](int delta) { step(delta); });
    // Every change of the text, typed or set through the accessibility interface; the
    // program's own changes come during a refresh and are ignored.
    connect(edit_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (actions_.refreshing()) return;
        const std::string typed = text.toStdString();
        const bool setWhole = !edit_->typingKey();
        actions_.run(
            [this, typed, setWhole] {
                field_.userSetText(typed);
                if (setWhole) field_.userCommit();
            },
            [this] { showFieldText(); });
    });
    connect(edit_, &SpinLineEdit::commitRequested, this, [this] {
        if (actions_.refreshing()) return;
        actions_.run([this] {
            if (!field_.userCommit()) QApplication::beep();  // nothing typed to commit
        });
    });
    connect(edit_, &SpinLineEdit::left, this, [this] {
        if (actions_.refreshing()) return;
        actions_.run([this] { field_.userLeave(); });
    });
}

void SpinFieldWidget::step(int delta) {
    if (actions_.refreshing()) return;
    actions_.run([this, delta] { field_.userStep(delta); });
}

void SpinFieldWidget::refreshFromState() {
    if (field_.revision() == shownRevision_) return;
    showFieldText();
}

void SpinFieldWidget::showFieldText() {
    shownRevision_ = field_.revision();
    const QString text = QString::fromStdString(field_.text());
    if (edit_->text() == text) return;
    const int cursor = edit_->cursorPosition();
    edit_->setText(text);
    // The user stepping in the field keeps the cursor; a text set while the field is not
    // being worked in is read from its start.
    edit_->setCursorPosition(edit_->hasFocus() ? std::min(cursor, static_cast<int>(text.size()))
                                               : 0);
}

void SpinFieldWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int buttonWidth = std::max(height() * 2 / 3, 8);
    const int editWidth = std::max(width() - buttonWidth, 1);
    edit_->setGeometry(0, 0, editWidth, height());
    const int upHeight = height() / 2;
    up_->setGeometry(editWidth, 0, buttonWidth, upHeight);
    down_->setGeometry(editWidth, upHeight, buttonWidth, height() - upHeight);
}

}  // namespace condsim::qt
