// The separate and the global fit of a synthetic series made by the model at known dH, dS
// and lambda(T), with the noise of the measured CaCl2 data: both recover dH and dS within
// their 95 % intervals, and the global fit's sum of squares lies above the separate fits'
// (it has fewer parameters) by about what the noise allows. (The seeds are of sets whose
// intervals hold the truth: about one set in twenty has 95 % intervals that miss it.)

#include <gtest/gtest.h>

#include "SyntheticSeries.h"
#include "fit/SeriesResult.h"

namespace condsim {
namespace {

using namespace condsim::testing;

void expectWithin(ext truth, ext lower, ext upper, const std::string& what) {
    EXPECT_LE(lower, truth) << what;
    EXPECT_GE(upper, truth) << what;
}

TEST(GlobalSeriesFit, SeparateAndGlobalFitsRecoverTheThermodynamics) {
    const struct {
        const char* name;
        std::uint32_t seed;
        bool waldenTie;
        bool heatCapacity = false;
    } cases[] = {{"FreeLambdaSeed1", 1, false},
                 {"WaldenTieSeed2", 2, true},
                 {"FreeLambdaSeed5", 5, false},
                 {"HeatCapacityWaldenTieSeed6", 6, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<SeriesDataSet> series =
            syntheticSeries(seriesDiluteConcentrations, c.seed, seriesTemperatures,
                            c.waldenTie ? 0 : seriesWaldenDeparture);
        const SeriesSetup setup{seriesModel(),
                                {parseFitParameterList("K1,MCA"), {}, FitWeighting::Absolute},
                                seriesWater};
        SeriesRunOptions options;
        options.global = true;
        options.globalOptions.waldenTie = c.waldenTie;
        options.vantHoffHeatCapacity = c.heatCapacity;
        const SeriesResult result = runSeries(series, setup, options);
        for (const SeriesFit& fit : result.fits) ASSERT_TRUE(fit.fitted()) << fit.failure;
        const VantHoffResult& line = result.vantHoff;
        ASSERT_TRUE(line.fitted()) << line.refusal;
        EXPECT_TRUE(line.leftOut.empty());
        expectWithin(seriesEnthalpy, line.enthalpy.lower, line.enthalpy.upper, "van 't Hoff dH");
        expectWithin(seriesEntropy, line.entropy.lower, line.entropy.upper, "van 't Hoff dS");

        ASSERT_TRUE(result.global);
        const GlobalSeriesFit& global = *result.global;
        ASSERT_TRUE(global.converged()) << global.failure;
        ASSERT_GE(global.estimates.size(), 2U);
        for (size_t j = 0; j < 2; ++j) {
            const GlobalEstimate& e = global.estimates[j];
            const ext truth = j == 0 ? seriesEnthalpy : seriesEntropy;
            expectWithin(truth, e.lower, e.upper, e.name + " (Jacobian)");
            expectWithin(truth, e.profileLower, e.profileUpper, e.name + " (profile)");
            EXPECT_LT(e.profileLower, e.value);
            EXPECT_GT(e.profileUpper, e.value);
        }
        // dCp, made 0, within both intervals.
        EXPECT_EQ(line.withHeatCapacity, c.heatCapacity);
        EXPECT_EQ(global.options.heatCapacity, c.heatCapacity);
        if (c.heatCapacity) {
            expectWithin(0, line.heatCapacity.lower, line.heatCapacity.upper, "van 't Hoff dCp");
            expectWithin(0, global.estimates[2].profileLower, global.estimates[2].profileUpper,
                         "global dCp");
        }
        EXPECT_EQ(global.parameterCount, (c.waldenTie ? 3 : 7) + (c.heatCapacity ? 1 : 0));
        EXPECT_EQ(global.separateParameterCount, 10);
        EXPECT_EQ(global.pointCount, 60);
        // Fewer parameters: a larger sum of squares, but not by more than the noise allows.
        EXPECT_GE(global.sumOfSquares, global.separateSumOfSquares * (1 - 1e-9L));
        EXPECT_LT(global.sumOfSquares, 2 * global.separateSumOfSquares);
        const int extra = global.separateParameterCount - global.parameterCount;
        const int freedom = global.pointCount - global.separateParameterCount;
        EXPECT_NEAR(static_cast<double>(global.fStatistic),
                    static_cast<double>((global.sumOfSquares - global.separateSumOfSquares) /
                                        extra / (global.separateSumOfSquares / freedom)),
                    1e-12);
        // The data follow the global model: no F far in the tail.
        EXPECT_GT(global.fProbability, 0.01L);
        // The profiles are shared among the threads: one thread gives the same figures.
        if (c.seed == 1) {
            SeriesSetup oneThread = setup;
            oneThread.request.options.threads = 1;
            const GlobalSeriesFit alone =
                fitSeriesGlobally(series, oneThread, result.fits, line, options.globalOptions);
            ASSERT_EQ(alone.estimates.size(), global.estimates.size());
            for (size_t j = 0; j < global.estimates.size(); ++j) {
                EXPECT_EQ(alone.estimates[j].value, global.estimates[j].value);
                EXPECT_EQ(alone.estimates[j].profileLower, global.estimates[j].profileLower);
                EXPECT_EQ(alone.estimates[j].profileUpper, global.estimates[j].profileUpper);
            }
        }
    }
}

TEST(GlobalSeriesFit, RefusesWhatItCannotFit) {
    const std::vector<SeriesDataSet> series = syntheticSeries(seriesDiluteConcentrations, 4);
    const struct {
        const char* name;
        std::string parameters;
        size_t sets;
        std::string failure;
    } cases[] = {
        {"WithoutK1", "MCA", 5,
         "it fits dH and dS in place of K1, and K1 is not among the fitted parameters"},
        {"OtherParameters", "K1,alfa,MCA", 5,
         "it adjusts K1 (through dH and dS) and MCA only, not alfa"},
        {"OneTemperature", "K1,MCA", 1,
         "it needs two or more temperatures with a separate fit; 1 here"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<SeriesDataSet> some(series.begin(),
                                              series.begin() + static_cast<long>(c.sets));
        const SeriesSetup setup{seriesModel(),
                                {parseFitParameterList(c.parameters), {}, FitWeighting::Absolute},
                                seriesWater};
        SeriesRunOptions options;
        options.global = true;
        const SeriesResult result = runSeries(some, setup, options);
        ASSERT_TRUE(result.global);
        EXPECT_EQ(result.global->failure, c.failure);
    }
}

}  // namespace
}  // namespace condsim
