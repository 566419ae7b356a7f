// Where a figure's calculated curve is drawn over observed concentrations: the whole
// observed range (from the axis's zero on a linear axis), finely where dilute data crowd
// together, through each observed concentration.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "plot/Figure.h"

namespace condsim {
namespace {

TEST(CurveConcentrations, CoverTheObservedRangeFinelyWhereTheDataAre) {
    const struct {
        const char* name;
        std::vector<double> observed;
        bool fromZero;
        double first;            // the curve's first concentration
        int atLeastBelowSecond;  // points below the second-lowest observed concentration
    } cases[] = {
        {"within a decade, from zero", {0.002, 0.004, 0.006, 0.01}, true, 1e-6, 20},
        {"within a decade, from the lowest", {0.01, 0.002, 0.006, 0.004}, false, 0.002, 20},
        // 28 points from 7.6e-5 M: three decades, the lowest seven within 1 % of the range.
        {"three decades, from zero", {7.6e-5, 2.5e-4, 5e-4, 1e-3, 0.02, 0.0997}, true, 9.97e-6, 40},
        {"three decades, from the lowest",
         {7.6e-5, 2.5e-4, 5e-4, 1e-3, 0.02, 0.0997},
         false,
         7.6e-5,
         20},
        {"one point, from zero", {0.005}, true, 5e-7, 0},
        {"one point alone", {0.005}, false, 0.005, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<double> grid = curveConcentrations(c.observed, c.fromZero);
        ASSERT_FALSE(grid.empty());
        EXPECT_TRUE(std::is_sorted(grid.begin(), grid.end()));
        EXPECT_EQ(std::adjacent_find(grid.begin(), grid.end()), grid.end());
        EXPECT_NEAR(grid.front(), c.first, c.first * 1e-9);
        EXPECT_EQ(grid.back(), *std::max_element(c.observed.begin(), c.observed.end()));
        for (const double observed : c.observed)
            EXPECT_NE(std::find(grid.begin(), grid.end(), observed), grid.end()) << observed;
        std::vector<double> sorted = c.observed;
        std::sort(sorted.begin(), sorted.end());
        if (sorted.size() > 1) {
            EXPECT_GE(
                std::count_if(grid.begin(), grid.end(), [&](double x) { return x < sorted[1]; }),
                c.atLeastBelowSecond);
        }
        // No step longer than a hundredth of the range.
        for (size_t i = 1; i < grid.size(); ++i)
            EXPECT_LE(grid[i] - grid[i - 1], (grid.back() - grid.front()) / 100);
    }
}

}  // namespace
}  // namespace condsim
