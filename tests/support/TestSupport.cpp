#include "TestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "core/Error.h"

namespace condsim::testing {

TemporaryDirectory::TemporaryDirectory() : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "condsim-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    std::filesystem::current_path(path_);
}

TemporaryDirectory::~TemporaryDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::string TemporaryDirectory::write(const std::string& name, const std::string& content) const {
    const auto full = path_ / name;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary);
    out << content;
    return full.string();
}

std::string errorText(const std::function<void()>& step) {
    try {
        step();
    } catch (const Error& error) {
        return error.text();
    }
    return "no error";
}

std::string contentOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

std::string exampleFile(const std::string& name) {
    const char* folder = std::getenv("CONDSIM_EXAMPLES");
    const std::string base = folder != nullptr ? folder : CONDSIM_EXAMPLES_DIR;
    const std::string full = base + "/" + name;
    if (!std::filesystem::exists(full)) {
        ADD_FAILURE() << "missing example file " << full;
    }
    return full;
}

}  // namespace condsim::testing
