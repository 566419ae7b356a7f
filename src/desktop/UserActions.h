#pragma once
// The one road of every user action in the desktop program: the action runs inside the
// guarded dispatch (an error ends it and shows the error box), then every view is
// refreshed from the headless state. Signals that widgets emit while they are being
// refreshed are not user actions and must be ignored; refreshing() tells them apart.
//
// One user action at a time: while an action runs, and so while its message, error box or
// file dialog is open, every other action is refused (an auto-repeating arrow, a timer or
// an accessibility request cannot start a second handler inside the first).

#include <functional>

#include "ui/Platform.h"

namespace condsim::qt {

// A widget bound to headless state: it shows the state again when told to.
class Refreshable {
  public:
    virtual ~Refreshable() = default;
    virtual void refreshFromState() = 0;
};

class UserActions {
  public:
    explicit UserActions(Platform& platform) : platform_(platform) {}
    UserActions(const UserActions&) = delete;
    UserActions& operator=(const UserActions&) = delete;

    // What refreshes all views after an action.
    void setRefresh(std::function<void()> refresh) { refresh_ = std::move(refresh); }
    // What else happens after every action that ran, after the refresh.
    void setAfterAction(std::function<void()> afterAction) {
        afterAction_ = std::move(afterAction);
    }

    // Runs the action through the guarded dispatch, then refreshes the views. Returns
    // false when the action ended with an error (already shown) or was refused because
    // another action is still running. A widget whose own change of state started the
    // action passes showStateAgain: on a refusal it puts the widget back to the state
    // (the user's change did not happen), with the widget's signals ignored.
    bool run(const std::function<void()>& action, const std::function<void()>& showStateAgain = {});
    // Whether an action is running (and a new one would be refused).
    bool busy() const { return running_; }

    // Refreshes every view; widget signals emitted meanwhile are ignored.
    void refreshViews();
    // Changes widgets to show the state; their signals meanwhile are ignored.
    void showQuietly(const std::function<void()>& change);
    bool refreshing() const { return refreshDepth_ > 0; }

  private:
    Platform& platform_;
    std::function<void()> refresh_;
    std::function<void()> afterAction_;
    int refreshDepth_ = 0;
    bool running_ = false;
};

}  // namespace condsim::qt
