// Every bad file given to the three loaders (File/Open of observed data, the import of
// stepwise constants, File/Open of scaling factors): the exact error box, and a window
// state that did not change; or, where the file is valid after all, the values it holds.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "CaseNames.h"
#include "TestSession.h"
#include "UnprivilegedRun.h"
#include "hardening/StateSnapshot.h"

namespace condsim {
namespace {

using testing::Session;
using testing::StateSnapshot;

// The error boxes, where FILE stands for the full name of the file.
const std::string notANumber = "入力値が数値ではありません.\nline 1 of FILE: ";
const std::string notFound = "ファイルが見つかりません.\nFILE";
const std::string accessDenied = "ファイルへのアクセスが拒否されました.\nFILE";
const std::string noPairs = "FILE holds no pairs of observed data.";
// A zero concentration with a zero conductivity: the molar conductivity would be 0/0.
const std::string zeroOverZero =
    "不正な浮動小数点数演算命令.\nline 1 of FILE: the concentration 0 mol/L is not above 0; every "
    "concentration must be.";

std::string withFile(std::string text, const std::string& file) {
    if (const auto at = text.find("FILE"); at != std::string::npos) text.replace(at, 4, file);
    return text;
}

// A session that already holds good observed data, constants, factors and a calculation,
// so that "nothing changed" means something.
void loadGoodData(Session& s) {
    s.platform.answerNextDialog(testing::exampleFile("observed-6to1-salt.txt"));
    ASSERT_TRUE(s.act([&] { s.form1.Open1Click(); }));
    s.platform.answerNextDialog(testing::exampleFile("stepwise-constants-6.txt"));
    ASSERT_TRUE(s.act([&] { s.form1.Button4Click(); }));
    s.platform.answerNextDialog(testing::exampleFile("scaling-factors-6.txt"));
    ASSERT_TRUE(s.act([&] { s.form3.Open1Click(); }));
    s.form1.SpinEdit3.setValue(9);
    ASSERT_TRUE(s.act([&] { s.form1.Button3Click(); }));
    s.platform.messages.clear();
}

struct Loader {
    const char* name;
    std::function<void(Session&)> handler;
    // The first value of the table after a good load: (column, row 1).
    std::function<std::string(Session&)> firstShownValue;
    std::function<int(Session&)> count;
};

const Loader loaders[] = {
    {"observed data", [](Session& s) { s.form1.Open1Click(); },
     [](Session& s) { return s.form1.StringGrid1.cell(0, 1); },
     [](Session& s) { return s.app.state.observed.count; }},
    {"stepwise constants", [](Session& s) { s.form1.Button4Click(); },
     [](Session& s) { return s.form1.StringGrid2.cell(1, 1); },
     [](Session& s) { return s.app.state.stepwiseCount; }},
    {"scaling factors", [](Session& s) { s.form3.Open1Click(); },
     [](Session& s) { return s.form3.StringGrid2.cell(1, 1); },
     [](Session& s) { return s.app.state.factorCount; }},
};

struct BadFile {
    const char* name;
    // Makes the file in the session's folder and returns the name the dialog gives.
    std::function<std::string(Session&)> make;
    // The error box, or empty when the file loads.
    std::string error;
    // For a file that loads: records read by the loaders of two values and of one value,
    // and the first value shown.
    int pairs = 0;
    int singles = 0;
    std::string firstValue = {};
    // The error box of File/Open of observed data where it refuses a file the others load.
    std::string observedError = {};
};

std::string contentFile(Session& s, const std::string& content) {
    return s.directory.write("bad.txt", content);
}

const BadFile badFiles[] = {
    {"empty file", [](Session& s) { return contentFile(s, ""); }, "", 0, 0, "", noPairs},
    {"blanks only", [](Session& s) { return contentFile(s, "  \t\r\n \r\n\r\n"); }, "", 0, 0, "",
     noPairs},
    {"binary garbage with NUL bytes",
     [](Session& s) {
         return contentFile(s, std::string("\x00\x01\xff\xfe\x00"
                                           "ab\x7f\x00\x1a",
                                           10));
     },
     notANumber + "'\\xFF\\xFE'"},
    {"a 10 MB line of digits",  // no number is that long: refused, never cut into numbers
     [](Session& s) { return contentFile(s, std::string(10 * 1024 * 1024, '1') + "\r\n"); },
     notANumber + "'" + std::string(64, '1') + "...'"},
    {"1E4933, beyond the extended range", [](Session& s) { return contentFile(s, "1E4933 1\r\n"); },
     notANumber + "'1E4933'"},
    // A second line, so that the observed data span a range the plot can map.
    {"1E-5000, below it",
     [](Session& s) { return contentFile(s, "1E-5000 1E-5000\r\n0.001 0.1\r\n"); }, "", 2, 2, "0",
     zeroOverZero},
    {"nan", [](Session& s) { return contentFile(s, "nan 1\r\n"); }, notANumber + "'nan'"},
    {"inf", [](Session& s) { return contentFile(s, "inf 1\r\n"); }, notANumber + "'inf'"},
    {"-0", [](Session& s) { return contentFile(s, "-0 -0\r\n0.001 0.1\r\n"); }, "", 2, 2, "0",
     zeroOverZero},
    {"a comma as decimal separator", [](Session& s) { return contentFile(s, "0,001 0,1\r\n"); },
     notANumber + "'0,001'"},
    {"a header line", [](Session& s) { return contentFile(s, "conc cond\r\n0.001 0.1\r\n"); },
     notANumber + "'conc'"},
    {"a directory given as a file",
     [](Session& s) {
         std::filesystem::create_directory(s.directory.path() / "folder");
         return (s.directory.path() / "folder").string();
     },
     accessDenied + "\nThis is a folder, not a file"},
    {"a missing file", [](Session& s) { return (s.directory.path() / "missing.txt").string(); },
     notFound},
};

class LoaderBadInput : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(LoaderBadInput, ShowsTheErrorAndChangesNothingOrLoadsTheValues) {
    const Loader& loader = loaders[std::get<0>(GetParam())];
    const BadFile& bad = badFiles[std::get<1>(GetParam())];
    SCOPED_TRACE(std::string(loader.name) + " / " + bad.name);
    Session s;
    loadGoodData(s);
    const std::string file = bad.make(s);
    const StateSnapshot before(s.app);

    s.platform.answerNextDialog(file);
    const bool loaded = s.act([&] { loader.handler(s); });

    const bool pairs = std::get<0>(GetParam()) == 0;
    const std::string error = pairs && !bad.observedError.empty() ? bad.observedError : bad.error;
    if (!error.empty()) {
        EXPECT_FALSE(loaded);
        EXPECT_EQ(s.errors(), std::vector<std::string>{withFile(error, file)});
        EXPECT_TRUE(StateSnapshot(s.app) == before);
        return;
    }
    ASSERT_TRUE(loaded) << s.errors().front();
    EXPECT_EQ(loader.count(s), pairs ? bad.pairs : bad.singles);
    if (!bad.firstValue.empty()) {
        EXPECT_EQ(loader.firstShownValue(s), bad.firstValue);
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryLoaderEveryFile, LoaderBadInput,
    ::testing::Combine(::testing::Range(0, 3),
                       ::testing::Range(0, static_cast<int>(std::size(badFiles)))),
    [](const auto& info) {
        return testing::caseName(loaders[std::get<0>(info.param)].name) + "_" +
               testing::caseName(badFiles[std::get<1>(info.param)].name);
    });

TEST(LoaderBadInput, UnreadableFileIsRefusedAndChangesNothing) {
    if (testing::ranAgainAsUnprivilegedUser()) return;  // chmod 000 does not stop root from reading
    for (const Loader& loader : loaders) {
        SCOPED_TRACE(loader.name);
        Session s;
        loadGoodData(s);
        const std::string file = contentFile(s, "0.001 0.1\r\n");
        ASSERT_EQ(::chmod(file.c_str(), 0), 0);
        const StateSnapshot before(s.app);
        s.platform.answerNextDialog(file);
        EXPECT_FALSE(s.act([&] { loader.handler(s); }));
        EXPECT_EQ(s.errors(), std::vector<std::string>{withFile(accessDenied, file)});
        EXPECT_TRUE(StateSnapshot(s.app) == before);
    }
}

}  // namespace
}  // namespace condsim
