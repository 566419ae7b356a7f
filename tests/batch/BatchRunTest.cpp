#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "TestSession.h"
#include "batch/BatchSession.h"
#include "core/Error.h"
#include "files/TextFile.h"
#include "fit/FitParameter.h"
#include "plot/RecordingCanvas.h"

namespace condsim {
namespace {

using testing::Session;
using testing::TemporaryDirectory;

struct PictureLog {
    std::vector<std::string> names;
    PictureWriter writer() {
        return [this](const Canvas&, const std::string& name) {
            names.push_back(name);
            return true;
        };
    }
};

const char* const exampleData = "observed-6to1-salt.txt";

TEST(BatchRun, ReportEqualsTheOneTheWindowsWriteForTheSameSteps) {
    const std::string data = testing::exampleFile(exampleData);
    std::string windowsReport;
    {
        Session s;
        s.platform.answerNextDialog(data);
        ASSERT_TRUE(s.act([&] { s.form1.Open1Click(); }));
        ASSERT_TRUE(s.act([&] { s.form1.InitializeClick(); }));
        ASSERT_TRUE(s.act([&] { s.form1.Button3Click(); }));
        s.platform.answerNextDialog((s.directory.path() / "windows.txt").string());
        ASSERT_TRUE(s.act([&] { s.form1.Save1Click(); }));
        windowsReport = testing::contentOf((s.directory.path() / "windows.txt").string());
    }
    TemporaryDirectory directory;
    std::ostringstream messages;
    PictureLog pictures;
    BatchOptions options;
    options.data = data;
    options.report = "batch.txt";
    options.plot = "c.png";
    options.distribution = "d.png";
    EXPECT_EQ(runBatch(options, messages, testing::recordingCanvases(), pictures.writer()), 0);
    EXPECT_EQ(messages.str(), "");
    EXPECT_EQ(testing::contentOf((directory.path() / "batch.txt").string()), windowsReport);
    EXPECT_FALSE(windowsReport.empty());
    ASSERT_EQ(pictures.names.size(), 2u);
    EXPECT_EQ(pictures.names[0], (directory.path() / "c.png").string());
    EXPECT_EQ(pictures.names[1], (directory.path() / "d.png").string());
}

// Sweeps with the factors of the two rules, as condsim-batch writes them. Every calculated
// row of the golden reports agrees within 1e-10 with tests/golden/check-sweep-reports.py,
// which recomputes them from the report's inputs alone (mpmath: the exact mass balance and
// each charged species with its factor), so scaled conductivities are checked, not merely
// repeated.
TEST(BatchRun, SweepsWithEitherFactorRuleGiveTheGoldenReports) {
    struct RuleCase {
        const char* golden;
        std::function<void(BatchOptions&)> rule;
    };
    const RuleCase cases[] = {
        {"report-gradient-20.txt",
         [](BatchOptions& o) { o.gradient = 20; }},  // factors 1, 1.2, .., 2
        {"report-hyperbolic-2.txt",
         [](BatchOptions& o) { o.hyperbolic = "2"; }},  // factors 2 / (2 + i)
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.golden);
        TemporaryDirectory directory;
        // The report's first line names the data file; DIR stands for the run's folder.
        std::filesystem::copy_file(testing::exampleFile(exampleData),
                                   directory.path() / exampleData);
        std::ostringstream messages;
        PictureLog pictures;
        BatchOptions options;
        options.data = exampleData;
        options.points = 9;
        options.report = "report.txt";
        c.rule(options);
        EXPECT_EQ(runBatch(options, messages, testing::recordingCanvases(), pictures.writer()), 0);
        EXPECT_EQ(messages.str(), "");
        const auto golden = std::filesystem::path(CONDSIM_TESTS_DIR) / "golden" / c.golden;
        ASSERT_TRUE(std::filesystem::exists(golden)) << golden;
        std::string report = testing::contentOf(directory.path() / "report.txt");
        if (const auto at = report.find(directory.path().string()); at != std::string::npos) {
            report.replace(at, directory.path().string().size(), "DIR");
        }
        EXPECT_EQ(report, testing::contentOf(golden));
    }
}

TEST(BatchRun, AnErrorEndsTheRunWithTheErrorBoxText) {
    TemporaryDirectory directory;
    std::ostringstream messages;
    PictureLog pictures;
    BatchOptions options;  // no data: the sweep's first point divides 0 by 0
    options.report = "never.txt";
    EXPECT_EQ(runBatch(options, messages, testing::recordingCanvases(), pictures.writer()), 1);
    EXPECT_EQ(messages.str(),
              "不正な浮動小数点数演算命令.\nNo observed data are loaded: open a data file first "
              "(File/Open).\n");
    EXPECT_FALSE(std::filesystem::exists(directory.path() / "never.txt"));
    EXPECT_TRUE(pictures.names.empty());
}

TEST(BatchRun, MessagesGoToTheStreamOnePerLine) {
    TemporaryDirectory directory;
    std::ostringstream messages;
    PictureLog pictures;
    BatchOptions options;
    options.data = testing::exampleFile(exampleData);
    options.model1 = false;
    options.mca = "abc";
    EXPECT_EQ(runBatch(options, messages, testing::recordingCanvases(), pictures.writer()), 1);
    EXPECT_EQ(messages.str(),
              "Caution!! The current K2-Kn values (excluding K1) are used to set up all the "
              "beta(n) values.\n'abc' は浮動小数点数ではありません.\nThe field MCA, lambda(A/z) "
              "holds 'abc', which is not a number: it takes a decimal number of 0 or more, such "
              "as 88.\n");
}

// A run neither reads nor writes "dirinf": whatever a desktop session or an earlier run
// left there, every run reads and writes where it was started, and "record.txt" is made in
// that folder.
TEST(BatchRun, LeavesNoStateForTheNextRun) {
    struct StartCase {
        const char* name;
        // Prepares the start-up folder; returns what "dirinf" then holds ("" when none).
        std::function<std::string(const TemporaryDirectory&)> prepare;
    };
    const StartCase cases[] = {
        {"no dirinf", [](const TemporaryDirectory&) { return std::string(); }},
        {"dirinf naming another folder",
         [](const TemporaryDirectory& d) {
             std::filesystem::create_directory(d.path() / "elsewhere");
             return d.write("dirinf", (d.path() / "elsewhere").string() + "\r\n");
         }},
        {"dirinf that cannot be written",
         [](const TemporaryDirectory& d) {
             std::filesystem::create_directory(d.path() / "dirinf");
             return std::string();
         }},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryDirectory directory;
        c.prepare(directory);
        const auto dirinf = directory.path() / "dirinf";
        const bool dirinfIsFile = std::filesystem::is_regular_file(dirinf);
        const std::string dirinfBefore = dirinfIsFile ? testing::contentOf(dirinf) : "";
        directory.write("data.txt", testing::contentOf(testing::exampleFile(exampleData)));
        for (int run = 1; run <= 2; ++run) {
            std::ostringstream messages;
            PictureLog pictures;
            BatchOptions options;
            options.data = "data.txt";
            options.points = 9;
            options.report = "report" + std::to_string(run) + ".txt";
            options.exportCsv = "data" + std::to_string(run) + ".csv";
            EXPECT_EQ(runBatch(options, messages, testing::recordingCanvases(), pictures.writer()),
                      0);
            EXPECT_EQ(messages.str(), "");
            EXPECT_EQ(std::filesystem::current_path(), directory.path());
            EXPECT_TRUE(std::filesystem::exists(directory.path() / options.report.value()));
            EXPECT_TRUE(std::filesystem::exists(directory.path() / options.exportCsv.value()));
        }
        EXPECT_TRUE(std::filesystem::exists(directory.path() / "record.txt"));
        EXPECT_FALSE(std::filesystem::exists(directory.path() / "elsewhere" / "record.txt"));
        EXPECT_EQ(std::filesystem::is_regular_file(dirinf), dirinfIsFile);
        if (dirinfIsFile) {
            EXPECT_EQ(testing::contentOf(dirinf), dirinfBefore);
        }
    }
}

// Every output goes through the one file channel: on a full disk (a name that leads to
// /dev/full) the run ends with the disk-full text naming the file and status 1, whatever
// the output.
TEST(BatchRun, AnOutputOnAFullDiskEndsTheRunWithItsError) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    // Writers that write what they are given through the file channel, as the tool's do.
    const PictureWriter pictureBytes = [](const Canvas&, const std::string& name) {
        writeTextFileAtomically(name, "PNG");
        return true;
    };
    const FigureWriter figureBytes = [](const Figure&, const std::string& name) {
        writeTextFileAtomically(name, "<svg/>");
        return std::string();
    };
    struct OutputCase {
        const char* file;
        std::function<void(BatchOptions&, const std::string&)> choose;
    };
    const OutputCase cases[] = {
        {"report.txt", [](BatchOptions& o, const std::string& f) { o.report = f; }},
        {"plot.png", [](BatchOptions& o, const std::string& f) { o.plot = f; }},
        {"distribution.png", [](BatchOptions& o, const std::string& f) { o.distribution = f; }},
        {"figure.svg",
         [](BatchOptions& o, const std::string& f) {
             o.figures.emplace_back(FigureKind::MolarConductivity, f);
         }},
        {"data.csv", [](BatchOptions& o, const std::string& f) { o.exportCsv = f; }},
    };
    for (const OutputCase& c : cases) {
        SCOPED_TRACE(c.file);
        TemporaryDirectory directory;
        std::filesystem::create_symlink("/dev/full", directory.path() / c.file);
        std::ostringstream messages;
        std::ostringstream results;
        BatchOptions options;
        options.data = testing::exampleFile(exampleData);
        options.points = 9;
        c.choose(options, c.file);
        EXPECT_EQ(runBatch(options, messages, results, testing::recordingCanvases(), pictureBytes,
                           figureBytes),
                  1);
        // The file channel names the file it wrote: the one the link leads to.
        EXPECT_EQ(messages.str(), "ディスクがいっぱいです.\n/dev/full\n");
    }
}

// The outcome of a run (what the Python module reads): the step an error ended it at, with
// the error box's text, and the values it computed up to there.
TEST(BatchRun, OutcomeNamesTheStepThatFailedAndKeepsWhatWasComputed) {
    const std::string data = testing::exampleFile(exampleData);
    struct Case {
        const char* name;
        std::function<void(BatchOptions&)> set;
        int status;
        BatchStep failedStep;
        bool fitted;
        bool calculated;
    };
    const Case cases[] = {
        {"a full run", [](BatchOptions&) {}, 0, BatchStep::Outputs, false, true},
        {"a fit", [](BatchOptions& o) { o.fit = parseFitParameterList("K1,alfa"); }, 0,
         BatchStep::Outputs, true, true},
        {"missing data", [](BatchOptions& o) { o.data = "missing.txt"; }, 1, BatchStep::Data, false,
         false},
        {"a negative K1", [](BatchOptions& o) { o.beta1 = "-5"; }, 1, BatchStep::Constants, false,
         false},
        {"an ion size out of range",
         [](BatchOptions& o) {
             o.solution = SolutionModelKind::DebyeHuckel;
             o.ionSize = "-3";
         },
         1, BatchStep::SolutionModel, false, false},
        {"a fit that cannot run",
         [](BatchOptions& o) { o.fit = parseFitParameterList("K1,K2,K3,K4,K5,K6,MCA,MCX,alfa"); },
         1, BatchStep::Fit, false, false},
        {"a negative MCA", [](BatchOptions& o) { o.mca = "-1"; }, 1, BatchStep::Calculation, false,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryDirectory directory;
        std::ostringstream messages;
        std::ostringstream results;
        BatchOptions options;
        options.data = data;
        c.set(options);
        const BatchOutcome outcome =
            runBatchOutcome(options, messages, results, testing::recordingCanvases(), {}, {});
        EXPECT_EQ(outcome.status, c.status);
        if (c.status != 0) {
            EXPECT_EQ(outcome.failedStep, c.failedStep);
            ASSERT_EQ(outcome.errors.size(), 1u);
            EXPECT_NE(messages.str().find(outcome.errors[0]), std::string::npos);
        }
        EXPECT_EQ(outcome.fit.has_value() && outcome.fit->converged(), c.fitted);
        EXPECT_EQ(outcome.calculation.has_value(), c.calculated);
        if (c.calculated) {
            EXPECT_EQ(outcome.calculation->observed.size(), 12u);
        }
    }
}

}  // namespace
}  // namespace condsim
