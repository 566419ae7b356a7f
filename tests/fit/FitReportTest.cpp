#include <gtest/gtest.h>

#include <cmath>

#include "fit/FitReport.h"

namespace condsim {
namespace {

// The layout users paste into a spreadsheet and the fit documentation shows: a constant
// with both intervals, one the data put at 0, one silenced by it, and a linear parameter.
TEST(FitReport, ResultTableIsTabSeparatedWithValuesErrorsIntervalsAndCorrelations) {
    FitResult result;
    result.status = FitStatus::Converged;
    result.n = 6;
    result.pointCount = 12;
    result.iterations = 4;
    result.evaluations = 13;
    result.totalEvaluations = 250;
    result.weighting = FitWeighting::Relative;
    FittedValue K1{FitParameter::stepwiseConstant(1), 10000, 900, 8500, 12500};
    K1.hasProfile = true;
    K1.profileLower = 8400;
    K1.profileUpper = HUGE_VALL;
    FittedValue K2{FitParameter::stepwiseConstant(2), 0, 0, 0, 0, FittedState::AtZero, true, 0, 35};
    FittedValue K3{FitParameter::stepwiseConstant(3), 5, 0, 0, 0, FittedState::NoEffect};
    result.values = {K1, K2, K3, {FitParameter::mca(), 88.5L, 0.25L, 88, 89}};
    const ext none = std::nanl("");
    result.correlation = {{1, none, none, -0.5L},
                          {none, none, none, none},
                          {none, none, none, none},
                          {-0.5L, none, none, 1}};
    result.otherConstants = "K4..K6 are held at the constants table's values";
    result.rmsResidual = 0.00125L;
    EXPECT_EQ(
        fitResultTable(result),
        "Fit to 12 observed points at n = 6: converged after 4 iterations (13 evaluations; 250 in "
        "all with "
        "the scan and the profiles)\n"
        "residuals\trelative: (calculated - observed) / observed conductivity\n"
        "parameter\tvalue\tstandard error\t95% from\t95% to\tprofile 95% from\tprofile 95% to\n"
        "K1\t10000\t900\t8500\t12500\t8400\tunbounded\n"
        "K2\t0\t\t\t\t0\t35\n"
        "K3\n"
        "MCA\t88.5\t0.25\t88\t89\n"
        "K2 = 0: the data put it at zero, and the others are fitted with it held there; its "
        "one-sided 95% "
        "upper bound from the profile is 35\n"
        "K3 has no value: it changes nothing while K2 is 0\n"
        "K4..K6 are held at the constants table's values\n"
        "correlation\tK1\tK2\tK3\tMCA\n"
        "K1\t1\t\t\t-0.5\n"
        "K2\t\t\t\t\n"
        "K3\t\t\t\t\n"
        "MCA\t-0.5\t\t\t1\n"
        "RMS residual\t0.00125\n");
    EXPECT_EQ(fitFailureMessage(result), "");
}

}  // namespace
}  // namespace condsim
