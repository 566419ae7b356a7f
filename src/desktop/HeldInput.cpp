#include "desktop/HeldInput.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>

namespace condsim::qt {

namespace {

// Repeats older than this before the end of an action are not its own: a time stamp so
// far back comes from a clock that wrapped or was reset.
constexpr quint64 staleWindowMilliseconds = 60000;

}  // namespace

void releaseHeldButtons() {
    const QList<QWidget*> widgets = QApplication::allWidgets();
    for (QWidget* widget : widgets) {
        auto* button = qobject_cast<QAbstractButton*>(widget);
        // Not down any more, the button stops its repeat timer and will not click on release.
        if (button != nullptr && button->autoRepeat() && button->isDown()) button->setDown(false);
    }
}

void StaleKeyRepeatFilter::actionEnded() {
    if (!sinceLastStamp_.isValid()) return;
    staleBefore_ = lastStamp_ + static_cast<quint64>(sinceLastStamp_.elapsed());
}

bool StaleKeyRepeatFilter::eventFilter(QObject* watched, QEvent* event) {
    // Only key events set the clock: other input may be stamped by another clock.
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const quint64 stamp = key->timestamp();
    if (stamp == 0) return QObject::eventFilter(watched, event);  // made by the program, no clock
    if (key->isAutoRepeat() && stamp < staleBefore_ &&
        staleBefore_ - stamp < staleWindowMilliseconds)
        return true;
    if (stamp != lastStamp_) {
        lastStamp_ = stamp;
        sinceLastStamp_.start();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace condsim::qt
