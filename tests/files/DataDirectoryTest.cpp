#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TestSupport.h"
#include "core/Error.h"
#include "files/DataDirectory.h"

namespace condsim {
namespace {

namespace fs = std::filesystem;
using testing::TemporaryDirectory;

TEST(DataDirectory, RelativeChoiceIsStoredAsAFullFolderWithCrLf) {
    TemporaryDirectory startup;
    startup.write("sub/a.txt", "1");
    std::string last;
    StoreLastDataDirectory(startup.path().string(), "sub/a.txt", last);
    EXPECT_EQ(last, (startup.path() / "sub").string());
    EXPECT_EQ(testing::contentOf(startup.path() / "dirinf"), last + "\r\n");
    EXPECT_EQ(fs::current_path(), startup.path()) << "storing does not move the current directory";
}

struct DirinfCase {
    const char* name;
    std::string content;
    std::string expectedLine;
};

// Test names instead of byte dumps in failure messages.
void PrintTo(const DirinfCase& c, std::ostream* out) { *out << c.name; }

class DirinfLines : public ::testing::TestWithParam<DirinfCase> {};

// A folder that cannot be made current is still where the dialogs start; nothing is
// reported and the current directory stays.
TEST_P(DirinfLines, LineIsReadUpToItsEndAndAMissingFolderIsIgnored) {
    const DirinfCase& c = GetParam();
    TemporaryDirectory startup;
    startup.write("dirinf", c.content);
    std::string last = "before";
    LoadLastDataDirectory(startup.path().string(), last);
    EXPECT_EQ(last, c.expectedLine);
    EXPECT_EQ(fs::current_path(), startup.path());
}

INSTANTIATE_TEST_SUITE_P(
    Contents, DirinfLines,
    ::testing::Values(DirinfCase{"CrLf", "/no/such/folder\r\nignored\r\n", "/no/such/folder"},
                      DirinfCase{"LfOnly", "/no/such/folder\nignored\n", "/no/such/folder"},
                      DirinfCase{"NoLineEnd", "/no/such/folder", "/no/such/folder"},
                      DirinfCase{"BlanksAreKept", " /no/such folder \r\n", " /no/such folder "},
                      DirinfCase{"EmptyLine", "\r\n", ""}),
    [](const ::testing::TestParamInfo<DirinfCase>& info) { return std::string(info.param.name); });

TEST(DataDirectory, FailedWriteKeepsTheStoredFolderAndTheMemory) {
    TemporaryDirectory startup;
    // A folder named "dirinf" cannot be replaced by the file.
    fs::create_directory(startup.path() / "dirinf");
    const std::string chosen = startup.write("data/a.txt", "1");
    std::string last = "before";
    try {
        StoreLastDataDirectory(startup.path().string(), chosen, last);
        ADD_FAILURE() << "dirinf was written";
    } catch (const Error& error) {
        // The second line says which file failed and why the user meets it at all.
        EXPECT_EQ(errorBoxText(error),
                  "ファイルへのアクセスが拒否されました.\n"
                  "condsim remembers the last data folder in the file dirinf, which cannot be "
                  "written in " +
                      startup.path().string());
    }
    EXPECT_EQ(last, "before");
    EXPECT_TRUE(fs::is_directory(startup.path() / "dirinf"));
}

}  // namespace
}  // namespace condsim
