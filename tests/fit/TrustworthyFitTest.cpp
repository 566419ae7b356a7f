#include <gtest/gtest.h>

#include <cmath>

#include "TestSupport.h"
#include "files/NumberText.h"
#include "files/ObservedDataFile.h"
#include "fit/ConstantsFit.h"
#include "fit/FitReport.h"
#include "fit/FitSystem.h"

// The figures checked here were computed independently of condsim (SciPy's Brent root and
// Levenberg-Marquardt in double precision, or by hand), not taken from its own output.

namespace condsim {
namespace {

void expectRelative(ext actual, ext expected, ext tolerance, const std::string& what) {
    EXPECT_LE(std::fabs(actual - expected), tolerance * std::fabs(expected))
        << what << ": " << NumberText(actual) << " vs " << NumberText(expected);
}

// A system of n = 2 with every scaling factor 1, MCA at 88 and the designed calculation:
// the starting point of each fit below.
FitSystem systemOfTwo(ext K1, ext K2, bool model1, ext alfa, ext MCX) {
    FitSystem system;
    system.n = 2;
    system.K[1] = K1;
    system.K[2] = K2;
    system.model1 = model1;
    system.alfa = alfa;
    system.sf.fill(1);
    system.MCA = 88;
    system.MCX = MCX;
    return system;
}

// The measured CaCl2 data at n = 2, MCX = 76.35, alfa = 1, K1 from beta1 and K2 = K1 / 100
// as Model #1 makes it; model1 says whether the switch stays on for the fit.
FitSystem caCl2(const std::string& beta1, bool model1 = true) {
    const ext K1 = number(beta1);
    FitSystem system = systemOfTwo(K1, K1 / 100, model1, 1, number("76.35"));
    const NumberRecords records =
        ReadObservedDataFile(testing::exampleFile("cacl2-25C-water-dilute.txt"));
    for (int j = 0; j < records.count(); ++j)
        system.points.push_back({records.value(j, 0), records.value(j, 1)});
    return system;
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
            const FitResult result =
                fitConstants(caCl2(start), requestOf("K1,MCA", optimum.weighting));
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
            // MCA has its profile interval too, finite and about its value.
            const FittedValue& MCA = result.values[1];
            ASSERT_TRUE(MCA.hasProfile);
            EXPECT_LT(MCA.profileLower, MCA.value);
            EXPECT_GT(MCA.profileUpper, MCA.value);
            EXPECT_TRUE(std::isfinite(MCA.profileUpper));
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
        const FitResult result = fitConstants(caCl2("10", c.model1), requestOf("K1,MCA"));
        ASSERT_TRUE(result.converged()) << result.reason;
        EXPECT_EQ(result.otherConstants, c.note);
        EXPECT_EQ(result.stepwiseConstants[1],
                  c.model1 ? result.stepwiseConstants[0] / 100 : c.expectedK2);
        EXPECT_NE(fitResultTable(result).find("\n" + c.note + "\n"), std::string::npos);
    }
}

// An optimiser told to stop early stops short of the optimum: that is not called converged.
TEST(TrustworthyFit, AStopShortOfTheOptimumIsNotConverged) {
    FitRequest request = requestOf("K1,MCA");
    request.options.tolerance = 1e-2L;
    request.options.scan = false;
    const FitResult result = fitConstants(caCl2("10000"), request);
    EXPECT_EQ(result.status, FitStatus::NotConverged);
    EXPECT_EQ(result.reason.rfind("the optimiser stopped at ", 0), 0u) << result.reason;
    EXPECT_NE(result.reason.find("(its gradient is not zero)"), std::string::npos) << result.reason;
    EXPECT_TRUE(result.values.empty());
    EXPECT_TRUE(result.stepwiseConstants.empty());
}

// A salt that does not associate (made up: conductivity 2 C0 (60 + 76.35) with small
// deviations that rise with C0): K1 is 0 with its one-sided bound, MCA fitted with it held.
TEST(TrustworthyFit, AConstantTheDataPutAtZeroIsReportedAsZeroWithAnUpperBound) {
    FitSystem system = caCl2("10");
    const ext concentrations[] = {1e-4L, 3e-4L, 1e-3L, 3e-3L, 1e-2L, 3e-2L};
    const ext deviations[] = {-0.002L, 0.0005L, -0.001L, 0.001L, 0.0015L, 0.002L};
    system.points.clear();
    for (size_t j = 0; j < 6; ++j) {
        system.points.push_back(
            {concentrations[j], 2 * concentrations[j] * (60 + 76.35L) * (1 + deviations[j])});
    }
    const FitResult result = fitConstants(system, requestOf("K1,MCA"));
    ASSERT_TRUE(result.converged()) << result.reason;
    const FittedValue& K1 = result.values[0];
    EXPECT_EQ(K1.state, FittedState::AtZero);
    EXPECT_EQ(K1.value, 0);
    EXPECT_EQ(K1.standardError, 0);
    // tests/fit/check-bound-at-zero.py: t(0.95 one-sided, m - p = 4 degrees of freedom).
    expectRelative(K1.profileUpper, 0.01486213L, 1e-6L, "upper bound");
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
        FitSystem system = systemOfTwo(0, 0, false, 0, 50);  // K1 = K2 = 0, held
        system.points = {{0.001L, 0.3L}, {0.002L, 0.5L}};
        const FitResult result = fitConstants(system, requestOf("MCA", c.weighting));
        ASSERT_TRUE(result.converged()) << result.reason;
        expectRelative(result.values[0].value, c.MCA, 1e-12L, "MCA");
        expectRelative(result.rmsResidual, c.rms, 1e-9L, "RMS residual");
        EXPECT_EQ(result.weighting, c.weighting);

        // A point of zero conductivity has no relative residual.
        system.points[1].conductivity = 0;
        const FitResult refused = fitConstants(system, requestOf("MCA", c.weighting));
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
