// A temperature series of 5 data sets of 30 points (tests/fit/SyntheticSeries.h: CaCl2-like
// data made by the model at known dH, dS and lambda(T), with the noise of the measured
// set): the separate fits of K1 and MCA with their profiles must take under 2 s on one
// thread, the global fit under 5 s; the benchmark fails (SkipWithError) beyond. The
// argument is the number of threads of the separate fits.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>

#include "SyntheticSeries.h"
#include "fit/SeriesResult.h"

namespace condsim {
namespace {

// 30 concentrations spaced evenly in their logarithm over the dilute CaCl2 range.
std::vector<ext> thirtyConcentrations() {
    std::vector<ext> concentrations;
    for (int k = 0; k < 30; ++k)
        concentrations.push_back(7.5e-5L * std::pow(1e-2L / 7.5e-5L, k / 29.0L));
    return concentrations;
}

SeriesSetup benchmarkSetup(int threads) {
    SeriesSetup setup{testing::seriesModel(),
                      {parseFitParameterList("K1,MCA"), {}, FitWeighting::Absolute},
                      testing::seriesWater};
    setup.request.options.threads = threads;
    return setup;
}

void SeparateFitsOfFiveSetsOfThirtyPoints(benchmark::State& state) {
    const std::vector<SeriesDataSet> series = testing::syntheticSeries(thirtyConcentrations(), 1);
    const SeriesSetup setup = benchmarkSetup(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const std::vector<SeriesFit> fits = fitSeriesSeparately(series, setup);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        for (const SeriesFit& fit : fits) {
            if (!fit.fitted()) state.SkipWithError(fit.failure.c_str());
        }
        if (elapsed.count() > 2.0) state.SkipWithError("the separate fits took longer than 2 s");
    }
}
BENCHMARK(SeparateFitsOfFiveSetsOfThirtyPoints)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void GlobalFitOfFiveSetsOfThirtyPoints(benchmark::State& state) {
    const std::vector<SeriesDataSet> series = testing::syntheticSeries(thirtyConcentrations(), 1);
    const SeriesSetup setup = benchmarkSetup(static_cast<int>(state.range(0)));
    const std::vector<SeriesFit> fits = fitSeriesSeparately(series, setup);
    const VantHoffResult line = vantHoffAnalysis(fits, false);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const GlobalSeriesFit global = fitSeriesGlobally(series, setup, fits, line, {});
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        if (!global.converged()) state.SkipWithError(global.failure.c_str());
        if (elapsed.count() > 5.0) state.SkipWithError("the global fit took longer than 5 s");
        state.counters["evaluations"] = global.evaluations;
    }
}
BENCHMARK(GlobalFitOfFiveSetsOfThirtyPoints)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace condsim
