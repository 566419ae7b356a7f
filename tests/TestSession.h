#pragma once
// A user's session for the tests of the windows: a fresh temporary directory made current
// (the solver writes "record.txt" and the directory memory "dirinf" there), a scripted
// platform and the three headless windows started as the program starts them. The helpers
// that need no window are in support/TestSupport.h, for the tests of every layer.

#include <functional>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "core/Error.h"
#include "ui/Application.h"
#include "ui/Dispatch.h"
#include "ui/ScriptedPlatform.h"

namespace condsim::testing {

struct Session {
    TemporaryDirectory directory;  // made current before the application starts
    ScriptedPlatform platform;
    Application app{platform};
    TForm1& form1 = app.Form1;
    TForm2& form2 = app.Form2;
    TForm3& form3 = app.Form3;

    // Runs a user action through the guarded dispatch, as the windows do.
    bool act(const std::function<void()>& action) { return dispatch(platform, action); }
    // The error box texts shown so far.
    const std::vector<std::string>& errors() const { return platform.errors; }
};

// Canvases that record every drawing operation, as the headless start-up makes them.
CanvasFactory recordingCanvases();

}  // namespace condsim::testing
