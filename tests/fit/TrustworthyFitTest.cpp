#include <gtest/gtest.h>

#include <cmath>

#include "TestSession.h"
#include "files/NumberText.h"
#include "fit/ConstantsFit.h"
#include "fit/FitReport.h"
#include "ui/MainWindowFit.h"

// The figures checked here were computed independently of condsim (SciPy's Brent root and
// Levenberg-Marquardt in double precision, or by hand), not taken from its own output.

namespace condsim {
namespace {

using testing::Session;

void expectRelative(ext actual, ext expected, ext tolerance, const std::string& what) {
    EXPECT_LE(std::fabs(actual - expected), tolerance * std::fabs(expected))
        << what << ": " << NumberText(actual) << " vs " << NumberText(expected);
}

// The measured CaCl2 data at n = 2, MCX = 76.35, Model #1 on with alfa = 1, K1 from beta1.
void openCaCl2(Session& s, const std::string& beta1, bool model1 = true) {
    s.platform.answerNextDialog(testing::exampleFile("cacl2-25C-water-dilute.txt"));
    ASSERT_TRUE(s.act([&] { s.form1.Open1Click(); }));
    s.form1.SpinEdit1.setValue(2);
    s.form1.SpinEdit2.setValue(1);
    s.form1.CheckBox1.setChecked(true);
    s.form1.MCX.setText("76.35");
    s.form1.beta1.setText(beta1);
    ASSERT_TRUE(s.act([&] { s.form1.InitializeClick(); }));
    s.form1.CheckBox1.setChecked(model1);
}

FitRequest requestOf(const std::string& list, FitWeighting weighting = FitWeighting::Absolute) {
    return {parseFitParameterList(list), {}, weighting};
}

// The least-squares optimum and the 95 % profile interval of K1 under either weighting, the
// same from every start between 1e-2 and 1e6, with K2 following K1 by Model #1.
TEST(TrustworthyFit, CaCl2GivesTheSameOptimumFromEveryStartUnderEitherWeighting) {
    struct Optimum {
        FitWeighting weighting;
        ext K1, MCA, sumOfSquares, profileLower, profileUpper;
    };
    const Optimum optima[] = {
        {FitWeighting::Absolute, 12.75936351L, 51.59361732L, 2.749977454e-4L, 10.4212L, 15.3528L},
        {FitWeighting::Relative, 18.87145157L, 54.58728094L, 8.61570818e-4L, 15.2632L, 22.8463L},
    };
    for (const Optimum& optimum : optima) {
        for (const char* start : {"1e-2", "10", "1000", "10000", "1e6"}) {
            SCOPED_TRACE(fitWeightingName(optimum.weighting) + " from K1 = " + start);
            Session s;
            openCaCl2(s, start);
            const FitResult result = fitConstants(s.form1, requestOf("K1,MCA", optimum.weighting));
            ASSERT_TRUE(result.converged()) << result.reason;
            ASSERT_EQ(result.values.size(), 2u);
            expectRelative(result.values[0].value, optimum.K1, 1e-4L, "K1");
            expectRelative(result.values[1].value, optimum.MCA, 1e-4L, "MCA");
            EXPECT_NEAR(static_cast<double>(result.sumOfSquares),
                        static_cast<double>(optimum.sumOfSquares), 1e-8);
            expectRelative(result.values[0].profileLower, optimum.profileLower, 1e-4L,
                           "profile from");
            expectRelative(result.values[0].profileUpper, optimum.profileUpper, 1e-4L,
                           "profile to");
            EXPECT_FALSE(result.values[1].hasProfile);
            // Model #1 kept: K2 = (alfa x K1) / 100 with alfa = 1 held.
            ASSERT_EQ(result.stepwiseConstants.size(), 2u);
            EXPECT_EQ(result.stepwiseConstants[1], result.stepwiseConstants[0] / 100);
            EXPECT_EQ(result.otherConstants, "K2 follows K1 by Model #1, alfa = 1 held");
        }
    }
}

TEST(TrustworthyFit, ModelOneGeneratesTheLaterConstantsOnlyWhileItsSwitchIsOn) {
    struct Case {
        bool model1;
        ext expectedK2;  // 0: K1 / 100
        std::string note;
    };
    for (const Case& c : {Case{true, 0, "K2 follows K1 by Model #1, alfa = 1 held"},
                          Case{false, 0.1L, "K2 is held at the constants table's value"}}) {
        SCOPED_TRACE(c.model1 ? "switch on" : "switch off");
        Session s;
        openCaCl2(s, "10", c.model1);
        const FitResult result = fitConstants(s.form1, requestOf("K1,MCA"));
        ASSERT_TRUE(result.converged()) << result.reason;
        EXPECT_EQ(result.otherConstants, c.note);
        EXPECT_EQ(result.stepwiseConstants[1],
                  c.model1 ? result.stepwiseConstants[0] / 100 : c.expectedK2);
        EXPECT_NE(fitResultTable(result).find("\n" + c.note + "\n"), std::string::npos);
    }
}

// An optimiser told to stop early stops short of the optimum: that is not called converged.
TEST(TrustworthyFit, AStopShortOfTheOptimumIsNotConverged) {
    Session s;
    openCaCl2(s, "10000");
    FitRequest request = requestOf("K1,MCA");
    request.options.tolerance = 1e-2L;
    request.options.scan = false;
    const FitResult result = fitConstants(s.form1, request);
    EXPECT_EQ(result.status, FitStatus::NotConverged);
    EXPECT_EQ(result.reason.rfind("the optimiser stopped at ", 0), 0u) << result.reason;
    EXPECT_NE(result.reason.find("(its gradient is not zero)"), std::string::npos) << result.reason;
    EXPECT_TRUE(result.values.empty());
    EXPECT_TRUE(result.stepwiseConstants.empty());
}

// A salt that does not associate (made up: conductivity 2 C0 (60 + 76.35) with small
// deviations that rise with C0): K1 is 0 with its one-sided bound, MCA fitted with it held.
TEST(TrustworthyFit, AConstantTheDataPutAtZeroIsReportedAsZeroWithAnUpperBound) {
    Session s;
    openCaCl2(s, "10");
    const ext concentrations[] = {1e-4L, 3e-4L, 1e-3L, 3e-3L, 1e-2L, 3e-2L};
    const ext deviations[] = {-0.002L, 0.0005L, -0.001L, 0.001L, 0.0015L, 0.002L};
    ObservedData& observed = s.form1.state().observed;
    observed.count = 6;
    for (size_t j = 0; j < 6; ++j) {
        observed.conc[j + 1] = concentrations[j];
        observed.cond[j + 1] = 2 * concentrations[j] * (60 + 76.35L) * (1 + deviations[j]);
    }
    const FitResult result = fitConstants(s.form1, requestOf("K1,MCA"));
    ASSERT_TRUE(result.converged()) << result.reason;
    const FittedValue& K1 = result.values[0];
    EXPECT_EQ(K1.state, FittedState::AtZero);
    EXPECT_EQ(K1.value, 0);
    EXPECT_EQ(K1.standardError, 0);
    expectRelative(K1.profileUpper, 0.011194919L, 1e-4L, "upper bound");
    expectRelative(result.values[1].value, 60.26430721L, 1e-8L, "MCA");
    expectRelative(result.sumOfSquares, 2.940063186e-6L, 1e-8L, "sum of squares");
    EXPECT_EQ(result.stepwiseConstants[0], 0);
    EXPECT_EQ(result.stepwiseConstants[1], 0);
    const std::string table = fitResultTable(result);
    EXPECT_NE(table.find("\nK1\t0\t\t\t\t0\t" + NumberText(K1.profileUpper) + "\n"),
              std::string::npos)
        << table;
    EXPECT_NE(table.find("\nK1 = 0: the data put it at zero"), std::string::npos) << table;
    // No correlation of a value that is not there.
    EXPECT_NE(table.find("\nK1\t\t\nMCA\t\t1\n"), std::string::npos) << table;
}

// MCA alone with no association, where the conductivity is 2 C0 (MCA + MCX): at
// (0.001, 0.3) and (0.002, 0.5) with MCX = 50 the absolute optimum is
// sum a (obs - 2 C0 MCX) / sum a^2 = 80 (a = 2 C0); with relative weights each term is
// divided by obs^2: (0.0004 / 0.09 + 0.0012 / 0.25) / (4e-6 / 0.09 + 1.6e-5 / 0.25) = 5200 / 61.
TEST(TrustworthyFit, RelativeWeightsMinimiseTheResidualsInProportionToTheObservedValues) {
    struct Case {
        FitWeighting weighting;
        ext MCA;
        ext rms;  // sqrt(sum of squares / 2)
    };
    const ext relativeMCA = 5200.0L / 61;
    const ext r1 = (0.002L * relativeMCA + 0.1L - 0.3L) / 0.3L;
    const ext r2 = (0.004L * relativeMCA + 0.2L - 0.5L) / 0.5L;
    for (const Case& c :
         {Case{FitWeighting::Absolute, 80, std::sqrt((0.04L * 0.04L + 0.02L * 0.02L) / 2)},
          Case{FitWeighting::Relative, relativeMCA, std::sqrt((r1 * r1 + r2 * r2) / 2)}}) {
        SCOPED_TRACE(fitWeightingName(c.weighting));
        Session s;
        s.form1.SpinEdit1.setValue(2);
        s.form1.SetStepwiseConstants({0, 0});
        s.form1.MCX.setText("50");
        ObservedData& observed = s.form1.state().observed;
        observed.count = 2;
        observed.conc[1] = 0.001L;
        observed.cond[1] = 0.3L;
        observed.conc[2] = 0.002L;
        observed.cond[2] = 0.5L;
        const FitResult result = fitConstants(s.form1, requestOf("MCA", c.weighting));
        ASSERT_TRUE(result.converged()) << result.reason;
        expectRelative(result.values[0].value, c.MCA, 1e-12L, "MCA");
        expectRelative(result.rmsResidual, c.rms, 1e-9L, "RMS residual");
        EXPECT_EQ(result.weighting, c.weighting);

        // A point of zero conductivity has no relative residual.
        observed.cond[2] = 0;
        const FitResult refused = fitConstants(s.form1, requestOf("MCA", c.weighting));
        EXPECT_EQ(refused.status, c.weighting == FitWeighting::Relative ? FitStatus::Refused
                                                                        : FitStatus::Converged);
        if (c.weighting == FitWeighting::Relative) {
            EXPECT_EQ(refused.reason,
                      "Relative weights divide by the observed conductivity, which must be "
                      "positive; point 2 has 0.");
        }
    }
}

}  // namespace
}  // namespace condsim
