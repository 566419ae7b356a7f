#pragma once
// A user's session for tests: a fresh temporary directory made current (the solver writes
// "record.txt" and the directory memory "dirinf" there), a scripted platform and the
// three headless windows started as the program starts them.

#include <filesystem>
#include <functional>
#include <string>

#include "core/Error.h"
#include "ui/Application.h"
#include "ui/Dispatch.h"
#include "ui/ScriptedPlatform.h"

namespace condsim::testing {

class TemporaryDirectory {
  public:
    TemporaryDirectory();
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes a file below the directory and returns its full name.
    std::string write(const std::string& name, const std::string& content) const;

  private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

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

// The text of the error that the step raises, or "no error".
std::string errorText(const std::function<void()>& step);

// The whole content of a file, as bytes; empty when it cannot be read.
std::string contentOf(const std::filesystem::path& file);

// Canvases that record every drawing operation, as the headless start-up makes them.
CanvasFactory recordingCanvases();

// A file of examples/ (the build passes the folder); a missing file fails the test.
std::string exampleFile(const std::string& name);

}  // namespace condsim::testing
