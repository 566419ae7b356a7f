// Ticks at round values: the finest step of 1, 2 or 5 times a power of ten that needs at
// most seven ticks, axis ends that are ticks enclosing the data, and labels with the
// decimals of the step and no "-0".

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
         {"-0.015", "-0.010", "-0.005", "0.000", "0.005", "0.010", "0.015"}},
        {"reversed ends", 10, 0, 2, {"0", "2", "4", "6", "8", "10"}},
        {"one value is widened to a span", 5, 5, 1, {"2", "3", "4", "5", "6", "7", "8"}},
        {"nothing finite gives 0 to 1",
         NAN,
         INFINITY,
         0.2,
         {"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}},
        {"large values", 0, 2.3e5, 50000, {"0", "50000", "100000", "150000", "200000", "250000"}},
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

}  // namespace
}  // namespace condsim
