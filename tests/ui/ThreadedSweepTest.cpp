#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "SweepSession.h"
#include "TestSession.h"
#include "files/NumberText.h"
#include "hardening/StateSnapshot.h"

namespace condsim {
namespace {

using testing::Session;
using testing::StateSnapshot;
using testing::TableSnapshot;

// Everything a session leaves that a user or a file can see: the windows, the model, the
// ionic-strength table, the error boxes, "record.txt" and the report saved afterwards.
struct SessionOutcome {
    StateSnapshot state;
    TableSnapshot ionicStrengths;
    ext X;
    std::vector<ext> ownValues;  // the road's own quantities at the last point
    std::vector<std::string> errors;
    std::string record;
    std::string report;
    std::vector<ext> calculation;  // the full-precision record of the last sweep, flattened
};

std::vector<ext> flattened(const CalculationRecord& record) {
    std::vector<ext> values{static_cast<ext>(record.n)};
    for (const CalculatedPoint& point : record.points) {
        values.insert(values.end(), {point.concentration, point.conductivity, point.freeAnion});
        values.insert(values.end(), point.abundance.begin(), point.abundance.end());
        values.insert(values.end(), point.solutionValues.begin(), point.solutionValues.end());
    }
    for (const ObservedComparison& point : record.observed) {
        values.insert(values.end(),
                      {point.concentration, point.observed, point.calculated, point.freeAnion});
    }
    return values;
}

// Opens the three observed points under a relative name, so that the report's first line
// is the same in every session's folder.
void openThreePoints(Session& s) {
    s.directory.write("three.txt", testing::threePoints);
    s.platform.answerNextDialog("three.txt");
    ASSERT_TRUE(s.act([&] { s.form1.Open1Click(); }));
}

void setRange(Session& s, ext xMin, ext xMax) {
    s.app.state.range.DataXMin = xMin;
    s.app.state.range.DataXMax = xMax;
}

SessionOutcome runWithThreads(int threads, const std::function<void(Session&)>& scenario) {
    Session s;
    s.form1.sweepOptions.threads = threads;
    scenario(s);
    // The report is saved whatever the scenario left; a failing save is part of the outcome.
    s.platform.answerNextDialog((s.directory.path() / "report.txt").string());
    s.act([&] { s.form1.Save1Click(); });
    return {StateSnapshot(s.app),
            TableSnapshot(s.app.state.ionicStrengthTable),
            s.app.state.model.X,
            s.app.state.ownValues,
            s.errors(),
            testing::contentOf(s.directory.path() / "record.txt"),
            testing::contentOf(s.directory.path() / "report.txt"),
            flattened(s.app.state.calculation)};
}

struct ThreadedCase {
    const char* name;
    std::function<void(Session&)> scenario;
    // The last error box of the scenario before the save; empty when the sweeps complete.
    std::string sweepError;
};

// A sweep of N points with the window's n, over the range the last drawing left.
void defineAndSweep(Session& s, int n, int points) {
    s.form1.SpinEdit1.setValue(n);
    s.form1.InitializeClick();
    ASSERT_TRUE(testing::sweep(s, points)) << s.errors().back();
}

const std::string overflowError = "浮動小数点数のオーバーフロー.";

// Sweeps with one thread and with two give the same of everything, also where a point
// fails: the points before it handed over, its own error and what its solve reached, the
// rows after it as an earlier sweep left them.
TEST(ThreadedSweep, TwoThreadsLeaveExactlyWhatOneThreadLeaves) {
    const std::vector<ThreadedCase> cases{
        {"n = 2, 200 points",
         [](Session& s) {
             openThreePoints(s);
             defineAndSweep(s, 2, 200);
         },
         ""},
        {"n = 6, two sweeps, the second over a range edited in the abundance window",
         [](Session& s) {
             openThreePoints(s);
             defineAndSweep(s, 6, 100);
             s.form2.Edit1.setText("0.001");
             s.form2.Edit2.setText("0.002");
             ASSERT_TRUE(s.act([&] { s.form2.drawdistributionClick(); }));
             ASSERT_TRUE(testing::sweep(s, 37));
         },
         ""},
        {"n = 30, 120 points",
         [](Session& s) {
             openThreePoints(s);
             s.form1.SpinEdit2.setValue(100);
             defineAndSweep(s, 30, 120);
         },
         ""},
        {"n = 6 in the ionic-strength model (Davies)",
         [](Session& s) {
             openThreePoints(s);
             SolutionModelWindow& window = s.app.SolutionModelForm;
             window.Show();
             window.Model = SolutionModelKind::Davies;
             ASSERT_TRUE(s.act([&] { window.OKClick(); }));
             defineAndSweep(s, 6, 50);
         },
         ""},
        {"an overflow at point 6 of 9, over the rows of an earlier sweep",
         [](Session& s) {
             openThreePoints(s);
             defineAndSweep(s, 6, 9);
             // MCA x C0 x S exceeds the extended range from C0 = 0.06 on: points 1..5 are
             // solved, point 6 raises the overflow, rows 6..9 keep the first sweep's texts.
             s.form1.MCA.setText("3e4925");
             setRange(s, 0, 0.1L);
             EXPECT_FALSE(testing::sweep(s, 9));
             const CellTable& calculated = s.form2.StringGrid1;
             EXPECT_EQ(calculated.cell(0, 5), "0.05");
             EXPECT_NE(calculated.cell(0, 6), "0.06");
             EXPECT_EQ(s.form1.c0.text(), "0.06");
         },
         overflowError},
        {"no observed data: the first point fails",
         [](Session& s) {
             s.form1.InitializeClick();
             EXPECT_FALSE(testing::sweep(s, 50));
         },
         std::string("不正な浮動小数点数演算命令.\n") + noObservedDataHint},
    };
    for (const ThreadedCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SessionOutcome one = runWithThreads(1, c.scenario);
        const SessionOutcome two = runWithThreads(2, c.scenario);
        if (c.sweepError.empty()) {
            EXPECT_TRUE(one.errors.empty()) << one.errors.front();
            EXPECT_FALSE(one.report.empty());
        } else {
            ASSERT_GE(one.errors.size(), 1U);
            EXPECT_EQ(one.errors.front(), c.sweepError);
        }
        EXPECT_EQ(two.errors, one.errors);
        EXPECT_TRUE(two.state == one.state);
        EXPECT_EQ(two.state.calculatedTable.cells, one.state.calculatedTable.cells);
        EXPECT_EQ(two.state.observedTable.cells, one.state.observedTable.cells);
        EXPECT_EQ(two.state.speciesTable.cells, one.state.speciesTable.cells);
        EXPECT_EQ(two.state.fields, one.state.fields);
        EXPECT_TRUE(two.ionicStrengths == one.ionicStrengths);
        EXPECT_EQ(two.X, one.X);
        EXPECT_EQ(two.ownValues, one.ownValues);
        EXPECT_EQ(one.record, "\r\n");
        EXPECT_EQ(two.record, one.record);
        EXPECT_EQ(two.report, one.report);
        EXPECT_EQ(two.calculation, one.calculation);
        EXPECT_EQ(one.calculation.size() > 1, c.sweepError.empty())
            << "kept only after a complete sweep";
    }
}

}  // namespace
}  // namespace condsim
