#include <gtest/gtest.h>

#include "fit/FitReport.h"

namespace condsim {
namespace {

// The layout users paste into a spreadsheet and the fit documentation shows.
TEST(FitReport, ResultTableIsTabSeparatedWithValuesErrorsIntervalsAndCorrelations) {
    FitResult result;
    result.status = FitStatus::Converged;
    result.n = 6;
    result.pointCount = 12;
    result.iterations = 4;
    result.evaluations = 13;
    result.values = {{FitParameter::stepwiseConstant(1), 10000, 900, 8500, 12500},
                     {FitParameter::mca(), 88.5L, 0.25L, 88, 89}};
    result.correlation = {{1, -0.5L}, {-0.5L, 1}};
    result.rmsResidual = 0.00125L;
    EXPECT_EQ(fitResultTable(result),
              "Fit to 12 observed points at n = 6: converged after 4 iterations (13 evaluations)\n"
              "parameter\tvalue\tstandard error\t95% from\t95% to\n"
              "K1\t10000\t900\t8500\t12500\n"
              "MCA\t88.5\t0.25\t88\t89\n"
              "correlation\tK1\tMCA\n"
              "K1\t1\t-0.5\n"
              "MCA\t-0.5\t1\n"
              "RMS residual\t0.00125\n");
    EXPECT_EQ(fitFailureMessage(result), "");
}

}  // namespace
}  // namespace condsim
