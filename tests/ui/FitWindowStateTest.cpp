#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>

#include "SyntheticData.h"
#include "TestSession.h"
#include "WindowSnapshot.h"
#include "files/NumberText.h"
#include "fit/FitReport.h"
#include "plot/RecordingCanvas.h"
#include "ui/FitWindow.h"

namespace condsim {
namespace {

using testing::Session;
using testing::WindowSnapshot;

const RecordingCanvas& plotOf(const FitWindow& fit) {
    return dynamic_cast<const RecordingCanvas&>(*fit.residualPlot.canvas());
}

// Noise-free data at the default system, the window started away from K1 and MCA.
void prepare(Session& s, FitWindow& fit) {
    testing::makeObservedData(s, {}, testing::twelveConcentrations());
    testing::startFrom(s, "3000", 20, "70");
    fit.choose(FitParameter::alfa(), false);
    fit.choose(FitParameter::mca(), true);
}

// The Fit window's tables and notes and the batch tool's table come from one table of
// results: the same cells, the same sentences.
TEST(FitWindowState, ShowsTheCellsAndNotesOfTheBatchToolsTable) {
    Session s;
    FitWindow fit(s.form1, testing::recordingCanvases());
    prepare(s, fit);
    fit.choose(FitParameter::alfa(), true);
    ASSERT_TRUE(s.act([&] { fit.RunClick(); }));
    ASSERT_TRUE(fit.canApply()) << fit.status;

    std::istringstream printed(fitResultTable(fit.lastFit()));
    std::vector<std::string> lines;
    for (std::string line; std::getline(printed, line);) lines.push_back(line);
    const auto shownRow = [](const CellTable& table, int row, int from) {
        std::string line;
        for (int c = from; c < table.columnCount(); ++c)
            line += (c == from ? "" : "\t") + table.cell(c, row);
        return line.erase(line.find_last_not_of('\t') + 1);
    };
    const int p = static_cast<int>(fit.lastFit().values.size());
    ASSERT_EQ(p, 3);
    ASSERT_GT(lines.size(), 3u + p);
    EXPECT_EQ(shownRow(fit.values, 0, 0), lines[2]);
    const auto correlationTitle =
        std::find_if(lines.begin(), lines.end(),
                     [](const std::string& line) { return line.rfind("correlation\t", 0) == 0; });
    ASSERT_LT(correlationTitle + p, lines.end());
    for (int row = 1; row <= p; ++row) {
        EXPECT_EQ(shownRow(fit.values, row, 0), lines[static_cast<size_t>(2 + row)]);
        EXPECT_EQ(fit.correlation.cell(0, row) + "\t" + shownRow(fit.correlation, row, 1),
                  *(correlationTitle + row));
    }
    // The notes: alfa fitted, so K2..K6 follow K1 by Model #1.
    const std::string note = "K2..K6 follow K1 by Model #1 with the fitted alfa";
    EXPECT_NE(std::find(lines.begin(), lines.end(), note), lines.end());
    EXPECT_NE(fit.status.find(note + ".\n"), std::string::npos) << fit.status;
}

TEST(FitWindowState, ApplyWritesOnlyAFitOfWhatTheMainWindowStillHolds) {
    Session s;
    FitWindow fit(s.form1, testing::recordingCanvases());
    prepare(s, fit);

    s.act([&] { fit.ApplyClick(); });
    ASSERT_EQ(s.platform.messages.size(), 1u);
    EXPECT_EQ(s.platform.messages[0], "There is no converged fit to apply: press Run first.");

    ASSERT_TRUE(s.act([&] { fit.RunClick(); }));
    ASSERT_TRUE(fit.canApply()) << fit.status;
    EXPECT_EQ(fit.values.cell(0, 1), "K1");
    EXPECT_EQ(fit.values.cell(0, 2), "MCA");
    // The residual plot: background, frame, zero line, then one circle per observed point.
    EXPECT_EQ(plotOf(fit).operations().size(), 4u + 12u);

    // MCX is not fitted, but the fit was computed with the old one.
    s.form1.MCX.setText("60");
    const WindowSnapshot changed(s.form1);
    s.act([&] { fit.ApplyClick(); });
    ASSERT_EQ(s.platform.messages.size(), 2u);
    EXPECT_EQ(
        s.platform.messages[1],
        "The main window has changed since the fit ran (n, constants, MCA, MCX, scaling factors or "
        "observed data); press Run again before Apply.");
    EXPECT_TRUE(WindowSnapshot(s.form1) == changed);

    s.form1.MCX.setText("59");
    ASSERT_TRUE(s.act([&] { fit.ApplyClick(); }));
    // Apply ran Update and Conduct Calculations; K1 alone was fitted while Model #1
    // generated K2..Kn, so Model #1 stays on and Initialize has no caution to give.
    ASSERT_EQ(s.platform.messages.size(), 2u);
    EXPECT_EQ(s.form2.StringGrid1.rowCount(), s.form1.SpinEdit3.value() + 1);
    EXPECT_TRUE(s.form1.CheckBox1.checked());
    EXPECT_NE(fit.status.find("Applied: the fitted K1 in beta(1), K2..K6 follow it by Model #1"),
              std::string::npos)
        << fit.status;
    EXPECT_EQ(s.form1.MCA.text(), fit.values.cell(1, 2));
    EXPECT_EQ(s.form1.beta1.text(), fit.values.cell(1, 1));
    // Applying the same fit again is allowed and changes nothing more.
    const WindowSnapshot applied(s.form1);
    ASSERT_TRUE(s.act([&] { fit.ApplyClick(); }));
    EXPECT_EQ(s.platform.messages.size(), 2u);
    EXPECT_TRUE(WindowSnapshot(s.form1) == applied);
    EXPECT_TRUE(s.errors().empty());
}

TEST(FitWindowState, ConstantsBeyondTheCurrentNAreNeitherOfferedNorFitted) {
    Session s;
    FitWindow fit(s.form1, testing::recordingCanvases());
    fit.choose(FitParameter::stepwiseConstant(5), true);
    EXPECT_EQ(fit.request().parameters,
              (std::vector<FitParameter>{FitParameter::stepwiseConstant(1), FitParameter::alfa(),
                                         FitParameter::stepwiseConstant(5)}));
    s.form1.SpinEdit1.setValue(4);
    EXPECT_EQ(fit.offered(),
              (std::vector<FitParameter>{
                  FitParameter::stepwiseConstant(1), FitParameter::alfa(),
                  FitParameter::stepwiseConstant(2), FitParameter::stepwiseConstant(3),
                  FitParameter::stepwiseConstant(4), FitParameter::mca(), FitParameter::mcx()}));
    EXPECT_EQ(fit.request().parameters,
              (std::vector<FitParameter>{FitParameter::stepwiseConstant(1), FitParameter::alfa()}));
    EXPECT_TRUE(fit.isChosen(FitParameter::stepwiseConstant(5)));  // back when n grows again
}

TEST(FitWindowState, AFailedRunClearsTheLastFitAndSaysWhyUntilTheChoiceChanges) {
    Session s;
    FitWindow fit(s.form1, testing::recordingCanvases());
    prepare(s, fit);
    ASSERT_TRUE(s.act([&] { fit.RunClick(); }));
    ASSERT_TRUE(fit.canApply());

    fit.choose(FitParameter::alfa(), true);
    fit.choose(FitParameter::stepwiseConstant(3), true);
    const WindowSnapshot before(s.form1);
    ASSERT_TRUE(s.act([&] { fit.RunClick(); }));
    EXPECT_EQ(fit.status,
              "The fit cannot run: K3 cannot be fitted with alfa, which generates K2..Kn.");
    EXPECT_FALSE(fit.canApply());
    EXPECT_EQ(fit.values.rowCount(), 1);
    EXPECT_EQ(fit.correlation.rowCount(), 1);
    EXPECT_EQ(fit.residualYLimit, "");
    const auto& blank = plotOf(fit).operations();
    ASSERT_FALSE(blank.empty());
    EXPECT_EQ(blank.back().kind, CanvasOperation::Kind::Rectangle);
    EXPECT_EQ(blank.back().brushColor, colors::white);
    EXPECT_TRUE(WindowSnapshot(s.form1) == before);

    // The reason belongs to that choice: another choice drops it, and a comparison
    // cancelled afterwards does not bring it back under check boxes it does not match.
    fit.choose(FitParameter::stepwiseConstant(3), false);
    EXPECT_EQ(fit.status, "");
    fit.progress = [](int, int) { throw FitCancelled{}; };
    ASSERT_TRUE(s.act([&] { fit.CompareClick(); }));
    EXPECT_EQ(fit.status, "");
}

TEST(FitWindowState, CompareFillsOneRowPerNOrSaysWhyItCannotRun) {
    Session s;
    FitWindow fit(s.form1, testing::recordingCanvases());
    s.act([&] { fit.CompareClick(); });
    EXPECT_EQ(fit.comparisonStatus,
              "The comparison cannot run: There are no observed data to fit.\nNo observed data are "
              "loaded: open a data file first (File/Open).");
    EXPECT_EQ(fit.comparison.rowCount(), 1);

    prepare(s, fit);
    fit.choose(FitParameter::mca(), false);
    s.form1.MCA.setText("88");
    fit.fromN.setValue(2);
    fit.toN.setValue(5);
    const WindowSnapshot before(s.form1);
    ASSERT_TRUE(s.act([&] { fit.CompareClick(); }));
    ASSERT_EQ(fit.comparison.rowCount(), 5);
    for (int row = 1; row <= 4; ++row)
        EXPECT_EQ(fit.comparison.cell(0, row), std::to_string(row + 1));
    // Data made at n = 6 with K1 = 10000 and Model #1: K1 with alfa = 20 held fits every n,
    // and the largest n of the range best; no row lacks its figures.
    EXPECT_EQ(fit.comparisonStatus, "");
    for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(fit.comparison.cell(3, row), "") << row;
        EXPECT_LT(number(fit.comparison.cell(2, row + 1)), number(fit.comparison.cell(2, row)))
            << row;
    }
    EXPECT_EQ(fit.comparison.cell(3, 4), "best");
    EXPECT_TRUE(WindowSnapshot(s.form1) == before);

    fit.fromN.setValue(8);
    s.act([&] { fit.CompareClick(); });
    EXPECT_EQ(fit.comparisonStatus,
              "The comparison cannot run: The range of n must lie within 2..30 and not be empty; "
              "it is 8..5.");
    EXPECT_EQ(fit.comparison.rowCount(), 1);

    // A row whose fit cannot run says why below the table.
    fit.fromN.setValue(2);
    fit.toN.setValue(3);
    fit.choose(FitParameter::stepwiseConstant(3), true);
    ASSERT_TRUE(s.act([&] { fit.CompareClick(); }));
    EXPECT_EQ(fit.comparison.cell(3, 1), "no fit");
    EXPECT_EQ(fit.comparison.cell(2, 1), "");
    EXPECT_EQ(
        fit.comparisonStatus.rfind("n = 2: The fit cannot run: K3 is not a constant of n = 2.", 0),
        0u)
        << fit.comparisonStatus;
}

// A run or a comparison cancelled part-way through (the progress callback throws, as the
// desktop's Cancel does) leaves every table, text and plot of both windows as it was.
TEST(FitWindowState, ACancelledRunOrComparisonChangesNothing) {
    Session s;
    FitWindow fit(s.form1, testing::recordingCanvases());
    prepare(s, fit);
    ASSERT_TRUE(s.act([&] { fit.RunClick(); }));
    ASSERT_TRUE(s.act([&] { fit.CompareClick(); }));
    ASSERT_TRUE(fit.canApply()) << fit.status;

    for (const bool comparing : {false, true}) {
        s.form1.MCA.setText("75");  // another start, so that a finished run would differ
        const WindowSnapshot main(s.form1);
        const std::vector<std::string> before{fit.values.cell(1, 1), fit.status,
                                              fit.comparison.cell(1, 2), fit.comparisonStatus,
                                              fit.residualYLimit};
        const size_t plotOperations = plotOf(fit).operations().size();
        std::vector<int> told;
        fit.progress = [&](int n, int evaluations) {
            told.push_back(n);
            if (evaluations == 5) throw FitCancelled{};
        };
        ASSERT_TRUE(s.act([&] { comparing ? fit.CompareClick() : fit.RunClick(); }));
        fit.progress = nullptr;

        ASSERT_FALSE(told.empty());
        EXPECT_EQ(told.front(), comparing ? fit.fromN.value() : 6);
        EXPECT_EQ(told.size(), 5u) << "the run ends at the evaluation that was cancelled";
        const std::vector<std::string> after{fit.values.cell(1, 1), fit.status,
                                             fit.comparison.cell(1, 2), fit.comparisonStatus,
                                             fit.residualYLimit};
        EXPECT_EQ(after, before);
        EXPECT_EQ(plotOf(fit).operations().size(), plotOperations);
        EXPECT_TRUE(fit.canApply());
        EXPECT_TRUE(WindowSnapshot(s.form1) == main);
        EXPECT_TRUE(s.platform.errors.empty());
    }
}

}  // namespace
}  // namespace condsim
