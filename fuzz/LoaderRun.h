#pragma once
// One load of a fuzzed file through a headless window, as a user would do it: the window
// first holds good data, then the dialog returns the fuzzed file. A load that fails must
// leave every table, field and array as it was; one that succeeds must respect the
// capacities.

#include <cstdio>
#include <functional>
#include <string>

#include "FuzzSession.h"
#include "core/Error.h"
#include "hardening/StateSnapshot.h"
#include "ui/Application.h"
#include "ui/Dispatch.h"
#include "ui/ScriptedPlatform.h"

namespace condsim::fuzzing {

inline bool isDrawingFault(const std::string& shown) {
    for (const auto fault : {FloatingPointFault::InvalidOperation,
                             FloatingPointFault::DivisionByZero, FloatingPointFault::Overflow}) {
        if (shown == withFinalPoint(floatingPointError(fault).text())) return true;
    }
    return false;
}

struct LoaderRun {
    ScriptedPlatform platform;
    Application app{platform};

    bool act(const std::function<void()>& action) { return dispatch(platform, action); }

    // Loads `file` with the handler after the dialog is answered with it; returns true
    // when the handler ended normally. On an error the state must be unchanged.
    bool load(const std::string& file, const std::function<void()>& handler) {
        const testing::StateSnapshot before(app);
        platform.answerNextDialog(file);
        if (act(handler)) return true;
        // A file that was read whole is loaded before the drawing that follows File/Open;
        // a floating-point fault of that drawing (a zero concentration) leaves it loaded.
        if (!isDrawingFault(platform.errors.back())) {
            require(testing::StateSnapshot(app) == before, "a failed load changed the state");
        }
        return false;
    }
};

// A small file of good data in the working folder, written once.
inline std::string goodFile(const std::string& name, const std::string& content) {
    const std::string full = workingFolder() + "/" + name;
    FILE* out = std::fopen(full.c_str(), "wb");
    require(out != nullptr, "a good file could not be written");
    std::fwrite(content.data(), 1, content.size(), out);
    std::fclose(out);
    return full;
}

}  // namespace condsim::fuzzing
