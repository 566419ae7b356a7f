// Bad input given to condsim-batch, through runBatch exactly as the tool runs: the exit
// status, the exact messages, and a report that an earlier run wrote and that a failing
// run leaves as it was.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "CaseNames.h"
#include "TestSession.h"
#include "batch/BatchSession.h"
#include "batch/BatchTestSupport.h"
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
    // What standard error shows, where DIR stands for the run's folder.
    std::string messages;
};

const std::string noDataHint = "No observed data are loaded: open a data file first (File/Open).\n";

std::string inFolder(std::string text, const TemporaryDirectory& d) {
    for (auto at = text.find("DIR"); at != std::string::npos; at = text.find("DIR", at + 1)) {
        text.replace(at, 3, d.path().string());
    }
    return text;
}

std::string file(const TemporaryDirectory& d, const std::string& name, const std::string& content) {
    return d.write(name, content);
}

void goodData(BatchOptions& o) { o.data = testing::exampleFile("observed-6to1-salt.txt"); }

const BatchCase batchCases[] = {
    {"observed data of binary garbage",
     [](BatchOptions& o, const TemporaryDirectory& d) {
         o.data = file(d, "data.txt",
                       std::string("\x00\x01"
                                   "ab\xff",
                                   5));
     },
     1, "入力値が数値ではありません.\nline 1 of DIR/data.txt: 'ab\\xFF'\n"},
    {"observed data with a header line",
     [](BatchOptions& o, const TemporaryDirectory& d) {
         o.data = file(d, "data.txt", "conc cond\r\n0.001 0.1\r\n");
     },
     1, "入力値が数値ではありません.\nline 1 of DIR/data.txt: 'conc'\n"},
    {"observed data with a comma as separator",
     [](BatchOptions& o, const TemporaryDirectory& d) {
         o.data = file(d, "data.txt", "0.001 0.1\r\n0,002 0,2\r\n");
     },
     1, "入力値が数値ではありません.\nline 2 of DIR/data.txt: '0,002'\n"},
    {"observed data with a number of 73 characters",
     [](BatchOptions& o, const TemporaryDirectory& d) {
         o.data = file(d, "data.txt", "0.001" + std::string(67, '0') + "1 0.11\r\n");
     },
     1,
     "入力値が数値ではありません.\nline 1 of DIR/data.txt: '0.001" + std::string(59, '0') +
         "...'\n"},
    {"an empty observed-data file",
     [](BatchOptions& o, const TemporaryDirectory& d) { o.data = file(d, "data.txt", ""); }, 1,
     "DIR/data.txt holds no pairs of observed data.\n"},
    {"observed data from an endless device",
     [](BatchOptions& o, const TemporaryDirectory&) { o.data = "/dev/zero"; }, 1,
     "The file is larger than 16 MiB, the most that condsim reads from a file.\n/dev/zero\n"},
    {"a missing observed-data file",
     [](BatchOptions& o, const TemporaryDirectory& d) {
         o.data = (d.path() / "missing.txt").string();
     },
     1, "ファイルが見つかりません.\nDIR/missing.txt\n"},
    {"a folder given as the observed-data file",
     [](BatchOptions& o, const TemporaryDirectory& d) { o.data = d.path().string(); }, 1,
     "ファイルへのアクセスが拒否されました.\nDIR\nThis is a folder, not a file\n"},
    {"no observed data", [](BatchOptions&, const TemporaryDirectory&) {}, 1,
     "不正な浮動小数点数演算命令.\n" + noDataHint},
    {"a fit without observed data",
     [](BatchOptions& o, const TemporaryDirectory&) { o.fit = parseFitParameterList("K1,alfa"); },
     1, "The fit cannot run: There are no observed data to fit.\n" + noDataHint},
    {"stepwise constants holding nan",
     [](BatchOptions& o, const TemporaryDirectory& d) {
         goodData(o);
         o.constants = file(d, "k.txt", "10000\r\nnan\r\n");
     },
     1,
     "The file should consist of the stepwise formation constants only! OK??\n"
     "入力値が数値ではありません.\nline 2 of DIR/k.txt: 'nan'\n"},
    {"a negative stepwise constant",
     [](BatchOptions& o, const TemporaryDirectory& d) {
         goodData(o);
         o.constants = file(d, "k.txt", "1000\r\n0\r\n-1000\r\n");
     },
     1,
     "The file should consist of the stepwise formation constants only! OK??\n"
     "K3 = -1000 in line 3 of DIR/k.txt is negative: stepwise constants are 0 or more.\n"},
    {"a negative beta1",
     [](BatchOptions& o, const TemporaryDirectory&) {
         goodData(o);
         o.beta1 = "-1E4";
     },
     1, "K1 = -10000 in the field Beta(1) is negative: stepwise constants are 0 or more.\n"},
    {"a negative MCX",
     [](BatchOptions& o, const TemporaryDirectory&) {
         goodData(o);
         o.mcx = "-59";
     },
     1, "MCX = -59 is negative: limiting molar conductivities are 0 or more.\n"},
    {"a fit from a negative MCA",
     [](BatchOptions& o, const TemporaryDirectory&) {
         goodData(o);
         o.mca = "-88";
         o.fit = parseFitParameterList("K1,alfa");
     },
     1,
     "The fit cannot run: MCA = -88 is negative: limiting molar conductivities are 0 or more.\n"},
    {"scaling factors holding 1E4933",
     [](BatchOptions& o, const TemporaryDirectory& d) {
         goodData(o);
         o.factors = file(d, "f.txt", "1\n1E4933\n");
     },
     1, "入力値が数値ではありません.\nline 2 of DIR/f.txt: '1E4933'\n"},
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
     1,
     "'8 8' は浮動小数点数ではありません.\nThe field MCA, lambda(A/z) holds '8 8', which is not a "
     "number: it takes a decimal number of 0 or more, such as 88.\n"},
    {"a report to a full device",
     [](BatchOptions& o, const TemporaryDirectory&) {
         goodData(o);
         o.report = "/dev/full";
     },
     1, "ディスクがいっぱいです.\n/dev/full\n"},
    {"a report into a folder that does not exist",
     [](BatchOptions& o, const TemporaryDirectory& d) {
         goodData(o);
         o.report = (d.path() / "no-such-folder" / "report.txt").string();
     },
     1,
     "The folder DIR/no-such-folder of --report DIR/no-such-folder/report.txt does not exist: "
     "nothing was run or written.\n"},
    // The report's folder exists: the run must not write it and then fail at the figure.
    {"a figure into a folder that does not exist",
     [](BatchOptions& o, const TemporaryDirectory& d) {
         goodData(o);
         o.figures.emplace_back(FigureKind::MolarConductivity,
                                (d.path() / "no-such-folder" / "f.svg").string());
     },
     1,
     "The folder DIR/no-such-folder of --figure DIR/no-such-folder/f.svg does not exist: "
     "nothing was run or written.\n"},
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

    EXPECT_EQ(
        runBatch(options, messages, results, testing::recordingCanvases(), testing::noPictures()),
        c.status);
    EXPECT_EQ(messages.str(), inFolder(c.messages, directory));
    EXPECT_EQ(results.str(), "");
    EXPECT_EQ(testing::contentOf(report), oldReport);
}

INSTANTIATE_TEST_SUITE_P(EveryCase, BatchBadInput,
                         ::testing::Range(0, static_cast<int>(std::size(batchCases))),
                         [](const auto& info) {
                             return testing::caseName(batchCases[info.param].name);
                         });

// A file that exists but cannot be written is not "not found": a kernel file as the report
// says access denied, naming the file, and nothing is written.
TEST(BatchBadInput, AReportThatCannotBeWrittenIsNotCalledMissing) {
    if (!std::filesystem::is_regular_file("/proc/version")) GTEST_SKIP() << "no /proc/version";
    TemporaryDirectory directory;
    BatchOptions options;
    goodData(options);
    options.points = 9;
    options.report = "/proc/version";
    std::ostringstream messages;
    std::ostringstream results;
    EXPECT_EQ(
        runBatch(options, messages, results, testing::recordingCanvases(), testing::noPictures()),
        1);
    const std::string expected = "ファイルへのアクセスが拒否されました.\n/proc/version\n";
    EXPECT_EQ(messages.str().substr(0, expected.size()), expected) << messages.str();
}

// Whole numbers that are not 32-bit numbers, or lie beyond the range of the field they
// set, are usage errors: never wrapped, never bounded behind the user's back.
TEST(BatchBadInput, WholeNumbersBeyondTheirRangesAreUsageErrors) {
    const struct {
        std::vector<std::string> arguments;
        std::string reason;
    } cases[] = {
        {{"--n", "2147483648"}, "--n must be a whole number from 2 to 30"},
        {{"--points=-2147483649"}, "--points must be a whole number from 9 to 1000"},
        {{"--scale", "1e3"}, "--scale needs a whole number, not '1e3'"},
        {{"--n", "45"}, "--n must be a whole number from 2 to 30"},
        {{"--n=1"}, "--n must be a whole number from 2 to 30"},
        {{"--points", "5000"}, "--points must be a whole number from 9 to 1000"},
        {{"--points", "8"}, "--points must be a whole number from 9 to 1000"},
        {{"--alfa", "0"}, "--alfa must be a whole number from 1 to 100"},
        {{"--alfa", "-2147483648"}, "--alfa must be a whole number from 1 to 100"},
        {{"--scale", "100001"}, "--scale must be a whole number from 1 to 100000"},
        {{"--gradient", "-101"}, "--gradient must be a whole number from -100 to 100"},
        {{"--fit-n", "2..99999999999"},
         "--fit-n takes FROM..TO, for example 2..8, not '2..99999999999'"},
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
    // The ranges are those of the fields the options set: both ends are accepted, one
    // beyond either end is not.
    testing::Session s;
    const std::pair<const char*, const SpinField*> fields[] = {{"--n", &s.form1.SpinEdit1},
                                                               {"--alfa", &s.form1.SpinEdit2},
                                                               {"--points", &s.form1.SpinEdit3},
                                                               {"--scale", &s.form1.SpinEdit4},
                                                               {"--gradient", &s.form3.katamuki}};
    for (const auto& [option, field] : fields) {
        for (const int value : {field->minimum(), field->maximum()}) {
            EXPECT_NO_THROW(parseBatchOptions({option, std::to_string(value)}))
                << option << " " << value;
        }
        for (const int value : {field->minimum() - 1, field->maximum() + 1}) {
            EXPECT_THROW(parseBatchOptions({option, std::to_string(value)}), BatchUsageError)
                << option << " " << value;
        }
    }
}

}  // namespace
}  // namespace condsim
