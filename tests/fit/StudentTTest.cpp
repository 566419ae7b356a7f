#include <gtest/gtest.h>

#include "fit/StudentT.h"

namespace condsim {
namespace {

// The one- and two-sided 95 % points of Student's t for the few degrees of freedom of a
// small fit, where they differ most from the normal 1.645 and 1.960. The figures are those
// of the published tables (12.706, 4.303, 3.182, ... and 6.314, 2.920, 2.353, ...) to the
// digits that mpmath gives from the incomplete beta function.
TEST(StudentT, QuantilesAgreeWithTheTables) {
    struct Row {
        int degreesOfFreedom;
        double twoSided;  // P(T <= t) = 0.975
        double oneSided;  // P(T <= t) = 0.95
    };
    const Row rows[] = {
        {1, 12.706204736174705, 6.3137515146750431},
        {2, 4.3026527297494639, 2.9199855803537257},
        {3, 3.1824463052837096, 2.3533634348018239},
        {4, 2.7764451051977944, 2.1318467863266503},
        {5, 2.5705818356363155, 2.0150483733330242},
        {6, 2.44691185114497, 1.9431802805153032},
        {7, 2.3646242515927853, 1.8945786050900074},
        {8, 2.3060041352041667, 1.8595480375308984},
        {10, 2.2281388519862747, 1.8124611228116764},
        {1000, 1.9623390808264085, 1.6463788172854647},
    };
    for (const Row& row : rows) {
        EXPECT_NEAR(studentTQuantile(0.975, row.degreesOfFreedom), row.twoSided,
                    1e-10 * row.twoSided)
            << row.degreesOfFreedom;
        EXPECT_NEAR(studentTQuantile(0.95, row.degreesOfFreedom), row.oneSided,
                    1e-10 * row.oneSided)
            << row.degreesOfFreedom;
    }
}

// The upper tail of F against SciPy's scipy.stats.f.sf.
TEST(StudentT, UpperTailOfFAgreesWithScipy) {
    const struct {
        double f;
        int d1, d2;
        double tail;
    } rows[] = {
        {0.5, 3, 53, 0.6838917094904233},    {1.0, 3, 53, 0.4001269466344345},
        {2.7, 3, 53, 0.05486286585430642},   {4.0, 1, 10, 0.07338803477074037},
        {1.2, 20, 100, 0.27053114187236227},
    };
    for (const auto& row : rows) {
        EXPECT_NEAR(fDistributionUpperTail(row.f, row.d1, row.d2), row.tail, 1e-12) << row.f;
    }
}

}  // namespace
}  // namespace condsim
