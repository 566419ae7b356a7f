#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TestSession.h"
#include "batch/BatchSession.h"
#include "batch/BatchTestSupport.h"
#include "fit/ConstantsFit.h"
#include "fit/FitReport.h"
#include "plot/RecordingCanvas.h"
#include "ui/FitApplication.h"
#include "ui/FitWindow.h"
#include "ui/MainWindowFit.h"

namespace condsim {
namespace {

using testing::Session;
using testing::TemporaryDirectory;

std::string usageError(const std::vector<std::string>& arguments) {
    try {
        parseBatchOptions(arguments);
    } catch (const BatchUsageError& error) {
        return error.reason;
    }
    return "accepted";
}

TEST(BatchFitOptions, ListAndRangeAreParsedAndTheirMistakesNamed) {
    const BatchOptions options = parseBatchOptions({"--fit", "K1,alfa,MCA", "--fit-n=2..8"});
    ASSERT_TRUE(options.fit);
    ASSERT_EQ(options.fit->size(), 3u);
    EXPECT_TRUE((*options.fit)[1] == FitParameter::alfa());
    EXPECT_EQ(*options.fitN, std::make_pair(2, 8));

    EXPECT_EQ(usageError({"--fit", "K1,beta"}),
              "--fit: unknown fit parameter 'beta' (use K1..K100, alfa, MCA, MCX or a)");
    EXPECT_EQ(usageError({"--fit", "K1", "--fit-n", "2-8"}),
              "--fit-n takes FROM..TO, for example 2..8, not '2-8'");
    EXPECT_EQ(usageError({"--fit", "K1", "--fit-n", "2..x"}),
              "--fit-n takes FROM..TO, for example 2..8, not '2..x'");
    EXPECT_EQ(usageError({"--fit-n", "2..8"}), "--fit-n needs --fit LIST");

    EXPECT_EQ(parseBatchOptions({"--fit", "K1", "--weights", "relative"}).weights,
              FitWeighting::Relative);
    EXPECT_EQ(parseBatchOptions({"--fit", "K1", "--weights=absolute"}).weights,
              FitWeighting::Absolute);
    EXPECT_FALSE(parseBatchOptions({"--fit", "K1"}).weights);
    EXPECT_EQ(usageError({"--fit", "K1", "--weights", "squared"}),
              "--weights takes absolute or relative");
    EXPECT_EQ(usageError({"--weights", "relative"}), "--weights needs --fit LIST");
}

// Every number of a tab-separated line, to 6 significant digits.
std::string sixDigitsOf(const std::string& line) {
    std::istringstream fields(line);
    std::string field;
    std::string shown;
    while (std::getline(fields, field, '\t')) {
        char* end = nullptr;
        const double value = std::strtod(field.c_str(), &end);
        char text[32];
        std::snprintf(text, sizeof text, "%.6g", value);
        shown += (end != field.c_str() && *end == '\0' ? std::string(text) : field) + " ";
    }
    return shown;
}

// The table of the README to 6 significant digits. tests/fit/check-readme-fit.py gives the
// same figures from the data alone (mpmath: the exact mass balance, the Jacobian, Student's
// t and the profiles worked independently), so the standard errors, the degrees of freedom
// and the 95 % limits are checked, not merely repeated.
void expectTheReadmeTable(const std::string& table) {
    std::istringstream lines(table);
    std::string line;
    std::vector<std::string> shown;
    while (std::getline(lines, line)) shown.push_back(sixDigitsOf(line));
    const std::vector<std::string> readme = {
        "Fit to 12 observed points at n = 6: converged after 9 iterations (34 evaluations; 585 in "
        "all with the scan "
        "and the profiles) ",
        "residuals absolute: calculated - observed conductivity ",
        "parameter value standard error 95% from 95% to profile 95% from profile 95% to ",
        "K1 10628.7 913.112 8777.05 12871 8827.71 12946.4 ",
        "alfa 19.4627 0.527871 18.3214 20.6751 18.2878 20.6377 ",
        "K2..K6 follow K1 by Model #1 with the fitted alfa ",
        "correlation K1 alfa ",
        "K1 1 -0.997083 ",
        "alfa -0.997083 1 ",
        "RMS residual 0.00587504 ",
    };
    EXPECT_EQ(shown, readme);
}

// The batch tool's fit is the one the windows make: the same table on standard output
// and, after the calculation, the same report.
TEST(BatchFit, FitsAppliesAndCalculatesAsTheWindowsDo) {
    const std::string data = testing::exampleFile("observed-6to1-salt.txt");
    std::string windowsReport;
    std::string windowsTable;
    {
        Session s;
        s.platform.answerNextDialog(data);
        ASSERT_TRUE(s.act([&] { s.form1.Open1Click(); }));
        ASSERT_TRUE(s.act([&] { s.form1.InitializeClick(); }));
        const FitResult result = fitConstants(s.form1, {parseFitParameterList("K1,alfa"), {}});
        ASSERT_TRUE(result.converged()) << result.reason;
        applyFit(s.form1, result);
        windowsTable = fitResultTable(result);
        ASSERT_TRUE(s.act([&] { s.form1.Button3Click(); }));
        s.platform.answerNextDialog((s.directory.path() / "windows.txt").string());
        ASSERT_TRUE(s.act([&] { s.form1.Save1Click(); }));
        windowsReport = testing::contentOf(s.directory.path() / "windows.txt");
    }
    TemporaryDirectory directory;
    std::ostringstream messages;
    std::ostringstream results;
    BatchOptions options = parseBatchOptions({"--fit", "K1,alfa", "--fit-n", "4..7"});
    options.data = data;
    options.report = "batch.txt";
    EXPECT_EQ(
        runBatch(options, messages, results, testing::recordingCanvases(), testing::noPictures()),
        0);
    // Applying a fit turns Model #1 off, and Update then cautions as it always does, with
    // the reason.
    EXPECT_EQ(messages.str(),
              std::string(cautionText) +
                  "\nApply turned Model #1 off: the fitted K2..K6 do not follow K1 by Model #1 "
                  "with the whole percentage the alfa field holds, so the constants table keeps "
                  "them as fitted.\n");
    const std::string output = results.str();
    const auto blank = output.find("\n\n");
    ASSERT_NE(blank, std::string::npos) << output;
    const std::string comparison = output.substr(0, blank + 1);
    EXPECT_EQ(comparison.substr(0, comparison.find('\n')), "n\tRMS residual (absolute)\tAIC");
    EXPECT_EQ(std::count(comparison.begin(), comparison.end(), '\n'), 5);
    // AIC = m ln(S / m) + 2 (p + 1) = 12 ln(RMS^2) + 6 from the README's RMS residual.
    const auto six = comparison.find("\n6\t");
    ASSERT_NE(six, std::string::npos) << comparison;
    EXPECT_EQ(sixDigitsOf(comparison.substr(six + 1, comparison.find('\n', six + 1) - six - 1)),
              "6 0.00587504 -117.289 best ");
    EXPECT_EQ(output.substr(blank + 2), windowsTable);
    expectTheReadmeTable(windowsTable);
    EXPECT_EQ(testing::contentOf(directory.path() / "batch.txt"), windowsReport);
    EXPECT_FALSE(windowsReport.empty());
}

// The batch tool's --fit and the Fit window's Run and Apply apply a fit by the same steps:
// after the same fit the two write the same report, byte for byte, and show the same
// messages.
TEST(BatchFit, TheBatchToolAndTheFitWindowWriteTheSameReportAfterTheSameFit) {
    struct Start {
        const char* name;
        std::string beta1, alfa, mca, fitted;
    };
    const Start starts[] = {
        {"the example's own constants, K1 and alfa", "10000", "20", "88", "K1,alfa"},
        {"K1 3000, alfa 45 and MCA 70, K1, alfa and MCA", "3000", "45", "70", "K1,alfa,MCA"},
    };
    const std::string data = testing::exampleFile("observed-6to1-salt.txt");
    for (const Start& start : starts) {
        SCOPED_TRACE(start.name);
        std::string windowsReport;
        std::vector<std::string> windowsMessages;
        {
            Session s;
            s.platform.answerNextDialog(data);
            ASSERT_TRUE(s.act([&] { s.form1.Open1Click(); }));
            s.form1.beta1.setText(start.beta1);
            s.form1.SpinEdit2.setValue(std::stoi(start.alfa));
            s.form1.MCA.setText(start.mca);
            ASSERT_TRUE(s.act([&] { s.form1.InitializeClick(); }));
            FitWindow fit(s.form1, testing::recordingCanvases());
            for (const FitParameter& parameter : fit.offered()) fit.choose(parameter, false);
            for (const FitParameter& parameter : parseFitParameterList(start.fitted))
                fit.choose(parameter, true);
            ASSERT_TRUE(s.act([&] { fit.RunClick(); }));
            ASSERT_TRUE(fit.canApply()) << fit.status;
            ASSERT_TRUE(s.act([&] { fit.ApplyClick(); }));
            s.platform.answerNextDialog((s.directory.path() / "windows.txt").string());
            ASSERT_TRUE(s.act([&] { s.form1.Save1Click(); }));
            windowsReport = testing::contentOf(s.directory.path() / "windows.txt");
            windowsMessages = s.platform.messages;
            EXPECT_TRUE(s.errors().empty());
        }
        TemporaryDirectory directory;
        std::ostringstream messages;
        std::ostringstream results;
        BatchOptions options =
            parseBatchOptions({"--beta1", start.beta1, "--alfa", start.alfa, "--mca", start.mca,
                               "--fit", start.fitted, "--report", "batch.txt"});
        options.data = data;
        EXPECT_EQ(runBatch(options, messages, results, testing::recordingCanvases(),
                           testing::noPictures()),
                  0);
        std::string windowsLines;
        for (const std::string& message : windowsMessages) windowsLines += message + "\n";
        EXPECT_EQ(messages.str(), windowsLines);
        EXPECT_FALSE(windowsReport.empty());
        EXPECT_EQ(testing::contentOf(directory.path() / "batch.txt"), windowsReport);
    }
}

TEST(BatchFit, AFitThatCannotRunEndsTheRunBeforeTheCalculation) {
    TemporaryDirectory directory;
    std::ostringstream messages;
    std::ostringstream results;
    BatchOptions options = parseBatchOptions({"--fit", "K1,alfa", "--fit-n", "2..8"});
    options.report = "never.txt";
    EXPECT_EQ(
        runBatch(options, messages, results, testing::recordingCanvases(), testing::noPictures()),
        1);
    EXPECT_EQ(messages.str(),
              "The comparison of n cannot run: There are no observed data to fit.\nNo observed "
              "data are loaded: open a data file first (File/Open).\n");
    EXPECT_EQ(results.str(), "");
    EXPECT_FALSE(std::filesystem::exists(directory.path() / "never.txt"));

    std::ostringstream messagesWithoutComparison;
    options.fitN.reset();
    EXPECT_EQ(runBatch(options, messagesWithoutComparison, results, testing::recordingCanvases(),
                       testing::noPictures()),
              1);
    EXPECT_EQ(messagesWithoutComparison.str(),
              "The fit cannot run: There are no observed data to fit.\nNo observed data are "
              "loaded: open a data file first (File/Open).\n");
    EXPECT_EQ(results.str(), "");
    EXPECT_FALSE(std::filesystem::exists(directory.path() / "never.txt"));
}

}  // namespace
}  // namespace condsim
