#pragma once
// Input that the user holds down must not pile up handlers.
//
// An auto-repeating button (a spin field's arrow) repeats from its own timer, which goes
// on firing while a modal box runs its event loop; and once the box takes the mouse, the
// button never sees the release. releaseHeldButtons() lets go of every such button before
// a box or dialog opens.
//
// A key held down repeats from the window system. While a slow handler runs, the repeats
// wait in the queue and would each start the handler again afterwards. The filter drops
// the auto-repeated key events that were generated while an action ran: their time stamps
// lie before the end of that action.

#include <QElapsedTimer>
#include <QObject>

namespace condsim::qt {

void releaseHeldButtons();

class StaleKeyRepeatFilter : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    // Called when a user action has ended: repeats stamped before now are stale.
    void actionEnded();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The window system's clock (milliseconds) estimated from the last key event seen.
    quint64 lastStamp_ = 0;
    QElapsedTimer sinceLastStamp_;
    quint64 staleBefore_ = 0;
};

}  // namespace condsim::qt
