#include "core/IndexOrderedWork.h"

namespace condsim {

int defaultThreadCount() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(std::min(cores, 1024U));
}

}  // namespace condsim
