// The van 't Hoff fit against tests/fit/reference/vant_hoff.py (NumPy and SciPy on the same
// points, no code of condsim), and which temperatures it leaves out.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "fit/VantHoff.h"

namespace condsim {
namespace {

struct Pinned {
    double value, error, lower, upper;
};

struct VantHoffCase {
    const char* name;
    std::vector<ext> T, lnK, sigma;
    bool heatCapacity;
    Pinned dH, dS, dCp;
    double dG, dGError, chiSquare;
};

void expectPinned(const VantHoffEstimate& actual, const Pinned& expected, const char* what) {
    SCOPED_TRACE(what);
    const auto near = [](ext a, double e) {
        EXPECT_NEAR(static_cast<double>(a), e, 1e-9 * std::max(1.0, std::fabs(e)));
    };
    near(actual.value, expected.value);
    near(actual.standardError, expected.error);
    near(actual.lower, expected.lower);
    near(actual.upper, expected.upper);
}

TEST(VantHoff, AgreesWithTheIndependentReference) {
    const std::vector<ext> five{278.15L, 288.15L, 298.15L, 308.15L, 318.15L};
    const std::vector<ext> fiveLnK{2.31L, 2.43L, 2.55L, 2.64L, 2.79L};
    const std::vector<ext> fiveSigma{0.06L, 0.05L, 0.04L, 0.05L, 0.09L};
    const VantHoffCase cases[] = {
        {"TwoTemperatures",
         {288.15L, 308.15L},
         {2.3L, 2.7L},
         {0.05L, 0.08L},
         false,
         {14.765391842, 3.48241070112, 7.93999228843, 21.5907913956},
         {70.3652971361, 11.870312549, 47.0999120549, 93.6306822174},
         {},
         -6.21402149913,
         0.11870312549,
         0},
        {"FiveTemperatures",
         five,
         fiveLnK,
         fiveSigma,
         false,
         {8.28913535822, 0.422598330775, 6.94423886183, 9.63403185462},
         {48.9801522139, 1.42863199135, 44.4336076114, 53.5266968164},
         {},
         -6.31429702435,
         0.0166270115981,
         0.238263070469},
        {"FiveWithHeatCapacity",
         five,
         fiveLnK,
         fiveSigma,
         true,
         {8.41790584505, 0.513502296843, 6.20848378572, 10.6273279044},
         {49.3784190623, 1.71384260692, 42.004349491, 56.7524886336},
         {48.2325545415, 75.7752822828, -277.802170633, 374.267279716},
         -6.30426979837,
         0.0243514515003,
         0.198126675717},
        {"SevenWithHeatCapacity",
         {273.15L, 283.15L, 293.15L, 303.15L, 313.15L, 323.15L, 333.15L},
         {1.80L, 2.10L, 2.32L, 2.49L, 2.60L, 2.66L, 2.69L},
         {0.03L, 0.02L, 0.02L, 0.03L, 0.02L, 0.04L, 0.05L},
         true,
         {12.1759168353, 0.0572908417036, 12.0168519583, 12.3349817123},
         {60.8963792106, 0.193916374437, 60.357981042, 61.4347773792},
         {-338.187998169, 7.02795670624, -357.700734165, -318.675262172},
         -5.98033862636,
         0.00434011722419,
         0.0662084773593},
    };
    for (const VantHoffCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<VantHoffPoint> points;
        for (size_t i = 0; i < c.T.size(); ++i)
            points.push_back({"", c.T[i], c.lnK[i], c.sigma[i]});
        const VantHoffResult result = vantHoffFit(points, c.heatCapacity);
        ASSERT_TRUE(result.fitted()) << result.refusal;
        EXPECT_EQ(result.withHeatCapacity, c.heatCapacity);
        expectPinned(result.enthalpy, c.dH, "dH");
        expectPinned(result.entropy, c.dS, "dS");
        if (c.heatCapacity) expectPinned(result.heatCapacity, c.dCp, "dCp");
        EXPECT_NEAR(static_cast<double>(result.gibbs.value), c.dG, 1e-9);
        EXPECT_NEAR(static_cast<double>(result.gibbs.standardError), c.dGError, 1e-11);
        EXPECT_NEAR(static_cast<double>(result.chiSquare), c.chiSquare, 1e-9);
    }
}

// A fit at each temperature whose K1 came out as given.
SeriesFit fitWithK1(ext T, FittedState state, ext value, ext lower, ext upper) {
    SeriesFit fit;
    fit.where = "s.txt, line " + std::to_string(static_cast<int>(T) - 270);
    fit.temperature = T;
    fit.result.status = FitStatus::Converged;
    fit.result.pointCount = 12;
    FittedValue K1{FitParameter::stepwiseConstant(1), value};
    K1.state = state;
    K1.hasProfile = true;
    K1.profileLower = lower;
    K1.profileUpper = upper;
    fit.result.values = {K1, FittedValue{FitParameter::mca(), 60}};
    return fit;
}

TEST(VantHoff, LeavesOutWhatIsNotDeterminedAndNamesIt) {
    const ext inf = std::numeric_limits<ext>::infinity();
    SeriesFit failed;
    failed.where = "s.txt, line 9";
    failed.temperature = 299;
    failed.failure = "s.txt, line 9: the fit did not converge";
    const struct {
        const char* name;
        std::vector<SeriesFit> fits;
        std::string refusal;  // beginning, or "" when fitted
        std::vector<std::string> leftOut;
        std::string note;
    } cases[] = {
        {"AllUsable",
         {fitWithK1(278, FittedState::Estimated, 10, 8, 12),
          fitWithK1(288, FittedState::Estimated, 11, 9, 13)},
         "",
         {},
         ""},
        {"ZeroUndeterminedOneSidedAndFailed",
         {fitWithK1(278, FittedState::Estimated, 10, 8, 12),
          fitWithK1(283, FittedState::AtZero, 0, 0, 3),
          fitWithK1(288, FittedState::NotDetermined, 5, 0, inf),
          fitWithK1(293, FittedState::Estimated, 12, 0, 20),
          fitWithK1(298, FittedState::Estimated, 12, 9, inf), failed,
          fitWithK1(303, FittedState::Estimated, 13, 11, 15)},
         "",
         {"s.txt, line 13 (283 K): K1 = 0", "s.txt, line 18 (288 K): K1 is not determined",
          "s.txt, line 23 (293 K): K1 has no two-sided profile interval",
          "s.txt, line 28 (298 K): K1 has no two-sided profile interval",
          "s.txt, line 9 (299 K): no fit"},
         ""},
        {"OneUsable",
         {fitWithK1(278, FittedState::Estimated, 10, 8, 12),
          fitWithK1(283, FittedState::AtZero, 0, 0, 3)},
         "The van 't Hoff fit needs K1 at two or more temperatures; one temperature has",
         {"s.txt, line 13 (283 K): K1 = 0"},
         ""},
        {"NoneUsable",
         {failed},
         "The van 't Hoff fit needs K1 at two or more temperatures; no",
         {"s.txt, line 9 (299 K): no fit"},
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const VantHoffResult result = vantHoffAnalysis(c.fits, false);
        EXPECT_EQ(result.refusal.substr(0, c.refusal.size()), c.refusal);
        EXPECT_EQ(result.fitted(), c.refusal.empty());
        EXPECT_EQ(result.leftOut, c.leftOut);
    }
    // dCp asked with fewer than five temperatures: fitted without it, and said.
    const VantHoffResult noCp =
        vantHoffAnalysis({fitWithK1(278, FittedState::Estimated, 10, 8, 12),
                          fitWithK1(288, FittedState::Estimated, 11, 9, 13),
                          fitWithK1(298, FittedState::Estimated, 12, 10, 14)},
                         true);
    EXPECT_FALSE(noCp.withHeatCapacity);
    EXPECT_EQ(noCp.note, "dCp needs K1 at five or more temperatures (3 here): fitted without it");
}

}  // namespace
}  // namespace condsim
