#include <gtest/gtest.h>

#include "fit/StudentT.h"

namespace condsim {
namespace {

// Published two-sided 95 % and 90 % points of Student's t.
TEST(StudentT, QuantilesAgreeWithTheTables) {
    struct Point {
        double probability;
        int degreesOfFreedom;
        double t;
    };
    const Point points[] = {
        {0.975, 1, 12.706204736174707}, {0.975, 2, 4.302652729749464}, {0.975, 9, 2.262157162798205},
        {0.975, 10, 2.228138851986274}, {0.975, 1000, 1.962339080826408}, {0.95, 5, 2.015048373333024},
    };
    for (const Point& point : points) {
        EXPECT_NEAR(studentTQuantile(point.probability, point.degreesOfFreedom), point.t, 1e-10 * point.t)
            << point.probability << " " << point.degreesOfFreedom;
    }
}

}  // namespace
}  // namespace condsim
