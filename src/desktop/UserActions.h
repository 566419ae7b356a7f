#pragma once
// The one road of every user action in the desktop program: the action runs inside the
// guarded dispatch (an error ends it and shows the error box), then every view is
// refreshed from the headless state. Signals that widgets emit while they are being
// refreshed are not user actions and must be ignored; refreshing() tells them apart.

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

    // Runs the action through the guarded dispatch, then refreshes the views. Returns
    // false when the action ended with an error (already shown).
    bool run(const std::function<void()>& action);
    // Refreshes every view; widget signals emitted meanwhile are ignored.
    void refreshViews();
    bool refreshing() const { return refreshDepth_ > 0; }

private:
    Platform& platform_;
    std::function<void()> refresh_;
    int refreshDepth_ = 0;
};

}  // namespace condsim::qt
