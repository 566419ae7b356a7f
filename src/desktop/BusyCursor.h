#pragma once
// The mouse cursor while the program works and while it asks. A user action shows the
// busy cursor for as long as it runs (nothing of a quick one is seen: the cursor is set
// and restored before the screen is next drawn); a box or dialog that the action opens
// shows the ordinary arrow while it waits for the user.

#include <QCursor>
#include <QGuiApplication>

namespace condsim::qt {

class OverrideCursor {
  public:
    explicit OverrideCursor(Qt::CursorShape shape) {
        QGuiApplication::setOverrideCursor(QCursor(shape));
    }
    ~OverrideCursor() { QGuiApplication::restoreOverrideCursor(); }
    OverrideCursor(const OverrideCursor&) = delete;
    OverrideCursor& operator=(const OverrideCursor&) = delete;
};

class BusyCursor : public OverrideCursor {
  public:
    BusyCursor() : OverrideCursor(Qt::WaitCursor) {}
};

class ArrowCursorWhileOpen : public OverrideCursor {
  public:
    ArrowCursorWhileOpen() : OverrideCursor(Qt::ArrowCursor) {}
};

}  // namespace condsim::qt
