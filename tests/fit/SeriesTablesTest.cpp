// The table per temperature: each state of a fitted value in its three cells, and a data
// set without a fit in one row with its message.

#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>

#include "fit/SeriesTables.h"

namespace condsim {
namespace {

SeriesFit fittedAt(ext temperature, const FittedValue& K1) {
    SeriesFit fit;
    fit.where = "s.txt, line 1";
    fit.dataFile = "a.txt";
    fit.temperature = temperature;
    fit.result.status = FitStatus::Converged;
    fit.result.values = {K1};
    fit.result.rmsResidual = 0.005L;
    fit.solvent.viscosity = 0.001L;
    fit.anionConductivity = 76.35L;
    fit.anionSource = AnionSource::SeriesFile;
    fit.cationConductivity = 60;
    fit.waldenProduct = 60;
    return fit;
}

TEST(SeriesTables, EachStateOfAValueAndAFailureHaveTheirCells) {
    const ext inf = std::numeric_limits<ext>::infinity();
    FittedValue estimated{FitParameter::stepwiseConstant(1), 12.5L};
    estimated.profileLower = 10;
    estimated.profileUpper = inf;
    FittedValue atZero{FitParameter::stepwiseConstant(1), 0};
    atZero.state = FittedState::AtZero;
    atZero.profileUpper = 3.5L;
    FittedValue undetermined{FitParameter::stepwiseConstant(1), 7};
    undetermined.state = FittedState::NotDetermined;
    undetermined.searchedFrom = 1e-5L;
    undetermined.searchedTo = inf;
    SeriesFit failed;
    failed.temperature = 300;
    failed.dataFile = "b.txt";
    failed.failure = "s.txt, line 4: the data file b.txt does not exist";
    const struct {
        const char* name;
        SeriesFit fit;
        std::string row;
    } cases[] = {
        {"Estimated", fittedAt(278.15L, estimated),
         "278.15\ta.txt\t12.5\t10\tunbounded\t60\t76.35\tseries file\t1\t60\t0.005"},
        {"AtZero", fittedAt(288.15L, atZero),
         "288.15\ta.txt\t0\t0\t3.5\t60\t76.35\tseries file\t1\t60\t0.005"},
        {"NotDetermined", fittedAt(298.15L, undetermined),
         "298.15\ta.txt\tnot determined\t1E-5\tunbounded\t60\t76.35\tseries file\t1\t60\t0.005"},
        {"Failed", failed, "300\tb.txt\ts.txt, line 4: the data file b.txt does not exist"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SeriesResult result;
        result.parameters = {FitParameter::stepwiseConstant(1)};
        result.fits = {c.fit};
        std::istringstream lines(seriesFitTable(result));
        std::string header;
        std::string row;
        std::getline(lines, header);
        std::getline(lines, row);
        EXPECT_EQ(header.rfind("T (K)\tdata file\tK1\tK1 profile 95% from\tK1 profile 95% to\t"
                               "lambda cation (MCA)\t",
                               0),
                  0U);
        EXPECT_EQ(row, c.row);
    }
}

}  // namespace
}  // namespace condsim
