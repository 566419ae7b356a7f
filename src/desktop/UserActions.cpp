#include "desktop/UserActions.h"

#include "desktop/BusyCursor.h"
#include "ui/Dispatch.h"

namespace condsim::qt {

namespace {

// Sets a flag or a counter for the life of a scope, also when the scope ends by an exception.
class Raised {
  public:
    explicit Raised(int& depth) : depth_(depth) { ++depth_; }
    ~Raised() { --depth_; }
    Raised(const Raised&) = delete;
    Raised& operator=(const Raised&) = delete;

  private:
    int& depth_;
};

class Holding {
  public:
    explicit Holding(bool& flag) : flag_(flag) { flag_ = true; }
    ~Holding() { flag_ = false; }
    Holding(const Holding&) = delete;
    Holding& operator=(const Holding&) = delete;

  private:
    bool& flag_;
};

}  // namespace

bool UserActions::run(const std::function<void()>& action,
                      const std::function<void()>& showStateAgain) {
    if (running_) {
        if (showStateAgain) showQuietly(showStateAgain);
        return false;
    }
    bool completed = false;
    {
        const Holding running(running_);
        const BusyCursor busy;
        completed = dispatch(platform_, action);
        refreshViews();
    }
    if (afterAction_) afterAction_();
    return completed;
}

void UserActions::refreshViews() {
    if (refresh_) showQuietly(refresh_);
}

void UserActions::showQuietly(const std::function<void()>& change) {
    const Raised refreshing(refreshDepth_);
    change();
}

}  // namespace condsim::qt
