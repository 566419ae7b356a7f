#pragma once
// What the tests of every layer share: a fresh temporary directory made current, the
// content of a file, the files of examples/ and the text of the error a step raises. Only
// the core layer is used here, so that a test of any layer can take these without the
// windows.

#include <filesystem>
#include <functional>
#include <string>

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

// The text of the error that the step raises, or "no error".
std::string errorText(const std::function<void()>& step);

// The whole content of a file, as bytes; empty when it cannot be read.
std::string contentOf(const std::filesystem::path& file);

// A file of examples/ (the build passes the folder; CONDSIM_EXAMPLES overrides it); a
// missing file fails the test.
std::string exampleFile(const std::string& name);

}  // namespace condsim::testing
