// Bad input given to condsim-batch, through runBatch exactly as the tool runs: the exit
// status, the exact messages, and a report that an earlier run wrote and that a failing
// run leaves as it was.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "TestSession.h"
#include "batch/BatchTestSupport.h"
#include "batch/BatchSession.h"
#include "files/DecimalSeparator.h"
#include "plot/RecordingCanvas.h"

namespace condsim {
namespace {

using testing::TemporaryDirectory;

const std::string oldReport = "the report of an earlier run\r\n";

struct BatchCase {
    const char* name;
    // Sets the options; files are made in the run's folder.
    std::function<void(BatchOptions&, const TemporaryDirectory&)> options;
    int status;
    std::string messages;
};

std::string file(const TemporaryDirectory& d, const std::string& name, const std::string& content) {
    return d.write(name, content);
}

void goodData(BatchOptions& o) { o.data = testing::exampleFile("observed-6to1-salt.txt"); }

const BatchCase batchCases[] = {
    {"observed data of binary garbage",
     [](BatchOptions& o, const TemporaryDirectory& d) { o.data = file(d, "data.txt", std::string("\x00\x01" "ab\xff", 5)); },
     1, "入力値が数値ではありません.\n"},
    {"observed data with a header line",
     [](BatchOptions& o, const TemporaryDirectory& d) { o.data = file(d, "data.txt", "conc cond\r\n0.001 0.1\r\n"); },
     1, "入力値が数値ではありません.\n"},
    {"observed data with a comma as separator",
     [](BatchOptions& o, const TemporaryDirectory& d) { o.data = file(d, "data.txt", "0,001 0,1\r\n"); },
     1, "入力値が数値ではありません.\n"},
    {"a missing observed-data file",
     [](BatchOptions& o, const TemporaryDirectory& d) { o.data = (d.path() / "missing.txt").string(); }, 1,
     "ファイルが見つかりません.\n"},
    {"a folder given as the observed-data file",
     [](BatchOptions& o, const TemporaryDirectory& d) { o.data = d.path().string(); }, 1,
     "ファイルへのアクセスが拒否されました.\n"},
    {"stepwise constants holding nan",
     [](BatchOptions& o, const TemporaryDirectory& d) {
         goodData(o);
         o.constants = file(d, "k.txt", "10000\r\nnan\r\n");
     },
     1,
     "The file should consist of the stepwise formation constants only! OK??\n"
     "入力値が数値ではありません.\n"},
    {"scaling factors holding 1E4933",
     [](BatchOptions& o, const TemporaryDirectory& d) {
         goodData(o);
         o.factors = file(d, "f.txt", "1\n1E4933\n");
     },
     1, "入力値が数値ではありません.\n"},
    {"beta1 of 1E4000",
     [](BatchOptions& o, const TemporaryDirectory&) {
         goodData(o);
         o.beta1 = "1E4000";
     },
     1, "浮動小数点数のオーバーフロー.\n"},
    {"MCA that is not a number",
     [](BatchOptions& o, const TemporaryDirectory&) {
         goodData(o);
         o.mca = "8 8";
     },
     1, "'8 8' は浮動小数点数ではありません.\n"},
    {"a report to a full device",
     [](BatchOptions& o, const TemporaryDirectory&) {
         goodData(o);
         o.report = "/dev/full";
     },
     1, "ディスクがいっぱいです.\n"},
    {"a report into a folder that does not exist",
     [](BatchOptions& o, const TemporaryDirectory& d) {
         goodData(o);
         o.report = (d.path() / "no-such-folder" / "report.txt").string();
     },
     1, "ファイルが見つかりません.\n"},
};

class BatchBadInput : public ::testing::TestWithParam<int> {};

TEST_P(BatchBadInput, EndsWithStatusOneItsMessageAndNoReport) {
    const BatchCase& c = batchCases[GetParam()];
    SCOPED_TRACE(c.name);
    TemporaryDirectory directory;
    const auto report = directory.path() / "report.txt";
    directory.write("report.txt", oldReport);
    BatchOptions options;
    options.report = report.string();
    c.options(options, directory);
    std::ostringstream messages;
    std::ostringstream results;

    EXPECT_EQ(runBatch(options, messages, results, testing::recordingCanvases(), testing::noPictures()), c.status);
    EXPECT_EQ(messages.str(), c.messages);
    EXPECT_EQ(results.str(), "");
    EXPECT_EQ(testing::contentOf(report), oldReport);
}

INSTANTIATE_TEST_SUITE_P(EveryCase, BatchBadInput, ::testing::Range(0, static_cast<int>(std::size(batchCases))));

// Numbers beyond the range of a 32-bit whole number are usage errors, never wrapped.
TEST(BatchBadInput, WholeNumbersBeyondThirtyTwoBitsAreUsageErrors) {
    const struct {
        std::vector<std::string> arguments;
        std::string reason;
    } cases[] = {
        {{"--n", "2147483648"}, "--n needs a whole number, not '2147483648'"},
        {{"--points=-2147483649"}, "--points needs a whole number, not '-2147483649'"},
        {{"--scale", "1e3"}, "--scale needs a whole number, not '1e3'"},
        {{"--fit-n", "2..99999999999"}, "--fit-n takes FROM..TO, for example 2..8, not '2..99999999999'"},
        {{"--decimal-separator", ""}, "--decimal-separator takes one character"},
        {{"--report"}, "--report needs a value"},
    };
    for (const auto& c : cases) {
        try {
            parseBatchOptions(c.arguments);
            ADD_FAILURE() << c.reason << ": accepted";
        } catch (const BatchUsageError& error) {
            EXPECT_EQ(error.reason, c.reason);
        }
    }
}

// Settings beyond their fields' ranges are bounded as the fields bound them, and the run
// ends normally.
TEST(BatchBadInput, SettingsBeyondTheirRangesAreBounded) {
    TemporaryDirectory directory;
    BatchOptions options;
    goodData(options);
    options.n = 2147483647;
    options.points = -2147483647 - 1;
    options.scale = 2147483647;
    options.alfa = -2147483647 - 1;
    options.report = "report.txt";
    std::ostringstream messages;
    EXPECT_EQ(runBatch(options, messages, testing::recordingCanvases(), testing::noPictures()), 0);
    EXPECT_EQ(messages.str(), "");
    const std::string report = testing::contentOf(directory.path() / "report.txt");
    EXPECT_NE(report.find("The system used: AX30\r\n"), std::string::npos);
    EXPECT_NE(report.find("The model #1, Kn/Kn+1 = 1% (e.g., ca. 10-90 %) is used.\r\n"), std::string::npos);
}

}  // namespace
}  // namespace condsim
