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

// Logarithmic axes: from the minor tick (1..9 times a power of ten) before the data to the
// one after them, every power labelled until there are too many, the ends labelled where
// fewer than two powers lie between them.
TEST(AxisTicks, LogarithmicAxesEndAtTheMinorTicksPastTheData) {
    const struct {
        const char* name;
        double low, high;
        double minimum, maximum;
        std::vector<std::string> labels;
        size_t minorTicks;
    } cases[] = {
        {"the 28 CaCl2 points",
         7.6e-5,
         0.0997,
         7e-5,
         0.1,
         {"10^{\u22124}", "10^{\u22123}", "10^{\u22122}", "10^{\u22121}"},
         3 + 8 + 8 + 8},
        {"the 12 dilute points",
         7.6e-5,
         0.0106,
         7e-5,
         0.02,
         {"10^{\u22124}", "10^{\u22123}", "10^{\u22122}"},
         3 + 8 + 8 + 1},
        {"within one decade", 0.0021, 0.0049, 2e-3, 5e-3, {"0.002", "0.005"}, 2},
        {"within one decade, tiny",
         2.1e-7,
         4.9e-7,
         2e-7,
         5e-7,
         {"2 \u00d7 10^{\u22127}", "5 \u00d7 10^{\u22127}"},
         2},
        {"one power inside", 0.0021, 0.012, 2e-3, 0.02, {"0.002", "10^{\u22122}", "0.02"}, 7},
        {"around one", 2, 50, 2, 50, {"2", "10", "50"}, 10},
        {"600 decades",
         1e-300,
         1e300,
         1e-300,
         1e300,
         {"10^{\u2212300}", "10^{\u2212200}", "10^{\u2212100}", "1", "10^{100}", "10^{200}",
          "10^{300}"},
         0},
        {"nothing positive", 0, -1, 1, 10, {"1", "10"}, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const AxisTicks ticks = logAxisTicks(c.low, c.high);
        EXPECT_NEAR(ticks.minimum, c.minimum, c.minimum * 1e-12);
        EXPECT_NEAR(ticks.maximum, c.maximum, c.maximum * 1e-12);
        EXPECT_EQ(ticks.labels, c.labels);
        ASSERT_EQ(ticks.values.size(), c.labels.size());
        EXPECT_EQ(ticks.minorValues.size(), c.minorTicks);
        for (const double v : ticks.values) {
            EXPECT_GE(v, ticks.minimum * (1 - 1e-12));
            EXPECT_LE(v, ticks.maximum * (1 + 1e-12));
        }
    }
}

}  // namespace
}  // namespace condsim
