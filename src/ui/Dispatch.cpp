#include "ui/Dispatch.h"

#include <new>

#include "core/Error.h"

namespace condsim {

bool dispatch(Platform& platform, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const Error& error) {
        platform.error(errorBoxText(error));
    } catch (const std::bad_alloc&) {
        platform.error(withFinalPoint("メモリが不足しています"));
    }
    return false;
}

}  // namespace condsim
