// Ticks at round values: the finest step of 1, 2 or 5 times a power of ten that needs at
// most seven ticks, axis ends that are ticks enclosing the data, and labels with the
// decimals of the step, true minus signs and no "-0", in scientific notation where fixed
// point would be long.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "plot/AxisTicks.h"

namespace condsim {
namespace {

struct TickCase {
    const char* name;
    double low, high;
    double step;
    std::vector<std::string> labels;
};

TEST(AxisTicks, EncloseTheDataWithRoundSteps) {
    const std::vector<TickCase> cases = {
        {"concentrations of the 6:1 example",
         0,
         0.0101,
         0.002,
         {"0.000", "0.002", "0.004", "0.006", "0.008", "0.010", "0.012"}},
        {"conductivities up to 7.9", 0, 7.9, 2, {"0", "2", "4", "6", "8"}},
        {"molar conductivities, not from zero",
         612,
         881,
         50,
         {"600", "650", "700", "750", "800", "850", "900"}},
        {"residuals symmetric about zero",
         -0.013,
         0.013,
         0.005,
         {"\u22120.015", "\u22120.010", "\u22120.005", "0.000", "0.005", "0.010", "0.015"}},
        {"reversed ends", 10, 0, 2, {"0", "2", "4", "6", "8", "10"}},
        {"one value is widened to a span", 5, 5, 1, {"2", "3", "4", "5", "6", "7", "8"}},
        {"nothing finite gives 0 to 1",
         NAN,
         INFINITY,
         0.2,
         {"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}},
        {"large values", 0, 2.3e5, 50000, {"0", "50000", "100000", "150000", "200000", "250000"}},
        // Where fixed point would be long: each value in scientific notation.
        {"near 1e-7 M",
         0,
         1.1e-6,
         2e-7,
         {"0", "2 \u00d7 10^{\u22127}", "4 \u00d7 10^{\u22127}", "6 \u00d7 10^{\u22127}",
          "8 \u00d7 10^{\u22127}", "1 \u00d7 10^{\u22126}", "1.2 \u00d7 10^{\u22126}"}},
        {"around 1e-300",
         1e-300,
         2.9e-300,
         5e-301,
         {"1 \u00d7 10^{\u2212300}", "1.5 \u00d7 10^{\u2212300}", "2 \u00d7 10^{\u2212300}",
          "2.5 \u00d7 10^{\u2212300}", "3 \u00d7 10^{\u2212300}"}},
        {"around 1e300",
         0,
         2.3e300,
         5e299,
         {"0", "5 \u00d7 10^{299}", "1 \u00d7 10^{300}", "1.5 \u00d7 10^{300}", "2 \u00d7 10^{300}",
          "2.5 \u00d7 10^{300}"}},
        {"negative and small",
         -2.6e-5,
         0.9e-5,
         1e-5,
         {"\u22123 \u00d7 10^{\u22125}", "\u22122 \u00d7 10^{\u22125}",
          "\u22121 \u00d7 10^{\u22125}", "0", "1 \u00d7 10^{\u22125}"}},
    };
    for (const TickCase& c : cases) {
        SCOPED_TRACE(c.name);
        const AxisTicks ticks = axisTicks(c.low, c.high);
        EXPECT_DOUBLE_EQ(ticks.step, c.step);
        EXPECT_EQ(ticks.labels, c.labels);
        ASSERT_EQ(ticks.values.size(), c.labels.size());
        EXPECT_EQ(ticks.values.front(), ticks.minimum);
        EXPECT_EQ(ticks.values.back(), ticks.maximum);
        if (std::isfinite(c.low) && c.low != c.high) {
            EXPECT_LE(ticks.minimum, std::min(c.low, c.high));
            EXPECT_GE(ticks.maximum, std::max(c.low, c.high));
        }
    }
}

// Logarithmic axes: decades around the data, every decade labelled as a power of ten
// until there are too many.
TEST(AxisTicks, LogarithmicAxesRunFromDecadeToDecade) {
    const struct {
        const char* name;
        double low, high;
        double minimum, maximum;
        std::vector<std::string> labels;
    } cases[] = {
        {"the 28 CaCl2 points",
         7.6e-5,
         0.0997,
         1e-5,
         0.1,
         {"10^{\u22125}", "10^{\u22124}", "10^{\u22123}", "10^{\u22122}", "10^{\u22121}"}},
        {"within one decade", 0.002, 0.005, 1e-3, 1e-2, {"10^{\u22123}", "10^{\u22122}"}},
        {"a power itself", 0.001, 0.01, 1e-3, 1e-2, {"10^{\u22123}", "10^{\u22122}"}},
        {"around one", 2, 50, 1, 100, {"1", "10", "10^{2}"}},
        {"600 decades",
         1e-300,
         1e300,
         1e-300,
         1e300,
         {"10^{\u2212300}", "10^{\u2212200}", "10^{\u2212100}", "1", "10^{100}", "10^{200}",
          "10^{300}"}},
        {"nothing positive", 0, -1, 1, 10, {"1", "10"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const AxisTicks ticks = logAxisTicks(c.low, c.high);
        EXPECT_DOUBLE_EQ(ticks.minimum, c.minimum);
        EXPECT_DOUBLE_EQ(ticks.maximum, c.maximum);
        EXPECT_EQ(ticks.labels, c.labels);
        ASSERT_EQ(ticks.values.size(), c.labels.size());
        EXPECT_EQ(ticks.values.front(), ticks.minimum);
        EXPECT_EQ(ticks.values.back(), ticks.maximum);
    }
}

}  // namespace
}  // namespace condsim
