#include "UnprivilegedRun.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "TestSession.h"

namespace condsim::testing {

namespace {

namespace fs = std::filesystem;

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (const char c : text) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

constexpr fs::perms readableByAll = fs::perms::owner_all | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec;

// A folder that nobody may enter and read, removed with everything in it.
class SharedFolder {
  public:
    SharedFolder() {
        std::string pattern = (fs::temp_directory_path() / "condsim-unprivileged-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
        fs::permissions(path_, readableByAll);
    }
    ~SharedFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    SharedFolder(const SharedFolder&) = delete;
    SharedFolder& operator=(const SharedFolder&) = delete;
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

}  // namespace

bool ranAgainAsUnprivilegedUser() {
    if (::geteuid() != 0) return false;
    const ::testing::TestInfo& test = *::testing::UnitTest::GetInstance()->current_test_info();
    const std::string filter = std::string(test.test_suite_name()) + "." + test.name();
    // The program is copied beside the child's output: the build folder may lie where
    // nobody cannot reach it, such as root's home.
    const SharedFolder folder;
    const fs::path program = folder.path() / "tests";
    fs::copy_file("/proc/self/exe", program);
    fs::permissions(program, readableByAll);
    // The same for the example files, which lie in the checkout: a clone under /root or in
    // a folder of mode 0700 is closed to nobody.
    const fs::path examples = folder.path() / "examples";
    fs::copy(fs::path(exampleFile(".")).parent_path(), examples, fs::copy_options::recursive);
    for (const auto& entry : fs::recursive_directory_iterator(examples))
        fs::permissions(entry.path(), readableByAll);
    fs::permissions(examples, readableByAll);
    // The child's temporary folders go into a folder of its own that anyone may write,
    // sticky as /tmp is, whatever the mode of the machine's /tmp.
    const fs::path temporary = folder.path() / "tmp";
    fs::create_directory(temporary);
    fs::permissions(temporary, fs::perms::all | fs::perms::sticky_bit);
    // The shell, still root, writes the output file; the child only runs the test.
    const std::string command =
        "cd " + quoted(folder.path().string()) + " && TMPDIR=" + quoted(temporary.string()) +
        " CONDSIM_EXAMPLES=" + quoted(examples.string()) +
        " setpriv --reuid=nobody --regid=nogroup --clear-groups " + quoted(program.string()) +
        " --gtest_filter=" + quoted(filter) + " > output.txt 2>&1";
    const int status = std::system(command.c_str());
    const std::string output = contentOf(folder.path() / "output.txt");
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command << "\n" << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test."), std::string::npos) << output;
    EXPECT_EQ(output.find("[  SKIPPED ]"), std::string::npos) << output;
    return true;
}

}  // namespace condsim::testing
