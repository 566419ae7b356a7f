#pragma once
// Helpers for tests of the batch tool.

#include "batch/BatchSession.h"

namespace condsim::testing {

// A picture writer that writes nothing and reports success.
inline PictureWriter noPictures() {
    return [](const Canvas&, const std::string&) { return true; };
}

}  // namespace condsim::testing
