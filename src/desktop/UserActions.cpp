#include "desktop/UserActions.h"

#include "ui/Dispatch.h"

namespace condsim::qt {

bool UserActions::run(const std::function<void()>& action) {
    const bool completed = dispatch(platform_, action);
    refreshViews();
    return completed;
}

void UserActions::refreshViews() {
    if (!refresh_) return;
    ++refreshDepth_;
    try {
        refresh_();
    } catch (...) {
        --refreshDepth_;
        throw;
    }
    --refreshDepth_;
}

}  // namespace condsim::qt
