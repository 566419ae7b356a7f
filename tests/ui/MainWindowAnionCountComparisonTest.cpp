// The comparison of n started from the main window's constants, on data the window's own
// solver made; the window stays as it was.

#include <gtest/gtest.h>

#include "SyntheticData.h"
#include "TestSession.h"
#include "WindowSnapshot.h"
#include "fit/AnionCountComparison.h"
#include "fit/FitReport.h"
#include "ui/MainWindowFit.h"

namespace condsim {
namespace {

using testing::Session;

// MCA is known (held at its true value): K1 and alfa are fitted for each n. Without noise
// only the true n reproduces the data; with 0.5 % noise the AIC still tells n = 3 from its
// neighbours (n = 6 and n = 7 fit such data equally well, since AX7 hardly forms).
TEST(AnionCountComparison, PicksTheNTheDataWereMadeWith) {
    struct Case {
        int trueN;
        double noise;
    };
    for (const Case& c : {Case{2, 0}, Case{4, 0}, Case{6, 0}, Case{8, 0}, Case{3, 0.005}}) {
        SCOPED_TRACE(integerText(c.trueN) + " noise " + std::to_string(c.noise));
        Session s;
        testing::TrueSystem truth;
        truth.n = c.trueN;
        testing::makeObservedData(s, truth, testing::twelveConcentrations(), c.noise);
        s.form1.SpinEdit1.setValue(5);
        testing::startFrom(s, "3000", 45, "88");
        const testing::WindowSnapshot before(s.form1);

        const AnionCountComparison comparison =
            compareAnionCounts(s.form1, {parseFitParameterList("K1,alfa"), {}}, 2, 9);

        EXPECT_EQ(comparison.refusal, "");
        ASSERT_EQ(comparison.rows.size(), 8u);
        for (int n = 2; n <= 9; ++n) EXPECT_EQ(comparison.rows[static_cast<size_t>(n - 2)].n, n);
        EXPECT_EQ(comparison.bestN, c.trueN);
        const auto& best = comparison.rows[static_cast<size_t>(c.trueN - 2)];
        ASSERT_TRUE(best.fit.converged()) << best.fit.reason;
        EXPECT_EQ(best.fit.n, c.trueN);
        EXPECT_TRUE(testing::WindowSnapshot(s.form1) == before);
        const std::string table = anionCountTable(comparison);
        EXPECT_EQ(table.substr(0, table.find('\n')), "n\tRMS residual (absolute)\tAIC");
        EXPECT_NE(table.find("\n" + integerText(c.trueN) + "\t" + NumberText(best.fit.rmsResidual) +
                             "\t" + NumberText(best.aic) + "\tbest\n"),
                  std::string::npos)
            << table;
    }
}

TEST(AnionCountComparison, RefusesARangeOutsideTheFieldAndAFitThatCannotRunForAnyN) {
    Session s;
    s.form1.InitializeClick();
    const FitRequest request{parseFitParameterList("K1,alfa"), {}};
    EXPECT_EQ(compareAnionCounts(s.form1, request, 1, 8).refusal,
              "The range of n must lie within 2..30 and not be empty; it is 1..8.");
    EXPECT_EQ(compareAnionCounts(s.form1, request, 6, 5).refusal,
              "The range of n must lie within 2..30 and not be empty; it is 6..5.");
    const AnionCountComparison noData = compareAnionCounts(s.form1, request, 2, 8);
    EXPECT_EQ(noData.refusal,
              "There are no observed data to fit.\nNo observed data are loaded: open a data file "
              "first (File/Open).");
    EXPECT_TRUE(noData.rows.empty());
    EXPECT_EQ(noData.bestN, 0);
}

TEST(AnionCountComparison, AConstantBeyondSomeNRefusesOnlyThoseRows) {
    Session s;
    testing::makeObservedData(s, {}, testing::twelveConcentrations(), 0.005);
    const AnionCountComparison comparison =
        compareAnionCounts(s.form1, {parseFitParameterList("K3,MCA"), {}}, 2, 4);
    EXPECT_EQ(comparison.refusal, "");
    ASSERT_EQ(comparison.rows.size(), 3u);
    EXPECT_EQ(comparison.rows[0].fit.status, FitStatus::Refused);
    EXPECT_EQ(comparison.rows[0].fit.reason, "K3 is not a constant of n = 2.");
    EXPECT_NE(comparison.rows[1].fit.status, FitStatus::Refused);
    EXPECT_NE(comparison.rows[2].fit.status, FitStatus::Refused);
    EXPECT_NE(anionCountTable(comparison)
                  .find("\n2\t\t\tThe fit cannot run: K3 is not a constant of n = 2.\n"),
              std::string::npos);
}

// The fits of the n shared between two threads give the rows of one thread to the last
// bit: the values, the residuals, the evaluations, the refusals and the best n.
TEST(AnionCountComparison, TwoThreadsGiveTheRowsOfOneThread) {
    struct Case {
        const char* parameters;
        int fromN;
        int toN;
    };
    for (const Case& c : {Case{"K1,alfa", 2, 7}, Case{"K3,MCA", 2, 4}}) {
        SCOPED_TRACE(c.parameters);
        Session s;
        testing::TrueSystem truth;
        truth.n = 4;
        testing::makeObservedData(s, truth, testing::twelveConcentrations(), 0.005);
        testing::startFrom(s, "3000", 45, "88");
        const FitSystem system = fitSystemOf(s.form1);
        const FitRequest request{parseFitParameterList(c.parameters), {}};
        FitRequest onOne = request;
        FitRequest onTwo = request;
        onOne.options.threads = 1;
        onTwo.options.threads = 2;
        const AnionCountComparison one = compareAnionCounts(system, onOne, c.fromN, c.toN);
        const AnionCountComparison two = compareAnionCounts(system, onTwo, c.fromN, c.toN);
        EXPECT_EQ(anionCountTable(two), anionCountTable(one));
        EXPECT_NE(one.bestN, 0) << "some fit converges";
        EXPECT_EQ(two.bestN, one.bestN);
        ASSERT_EQ(two.rows.size(), one.rows.size());
        for (size_t r = 0; r < one.rows.size(); ++r) {
            const FitResult& a = one.rows[r].fit;
            const FitResult& b = two.rows[r].fit;
            EXPECT_EQ(b.reason, a.reason);
            EXPECT_EQ(b.totalEvaluations, a.totalEvaluations);
            EXPECT_EQ(b.sumOfSquares, a.sumOfSquares);
            EXPECT_EQ(b.stepwiseConstants, a.stepwiseConstants);
            EXPECT_EQ(b.calculated, a.calculated);
            ASSERT_EQ(b.values.size(), a.values.size());
            for (size_t v = 0; v < a.values.size(); ++v) {
                EXPECT_EQ(b.values[v].value, a.values[v].value);
                EXPECT_EQ(b.values[v].lower, a.values[v].lower);
                EXPECT_EQ(b.values[v].upper, a.values[v].upper);
            }
        }
    }
}

}  // namespace
}  // namespace condsim
