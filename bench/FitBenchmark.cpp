// A fit of K1, alfa and MCA to 20 observed points of a 6:1 salt, the scan of the constants
// and the profile intervals included, must take under a second: the benchmark fails
// (SkipWithError) when one fit takes longer.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>

#include "fit/ConstantsFit.h"
#include "model/designed/FreeAnionSearch.h"

namespace condsim {
namespace {

constexpr double secondsAllowed = 1.0;

// 20 points from 1e-5 to 1e-2 M made by the calculation's own solver at K1 = 10000,
// alfa = 20, MCA = 88, with a fixed pattern of +-0.5 % deviations; the fit starts at
// K1 = 3000, alfa = 45, MCA = 70.
FitSystem twentyPointSystem() {
    FitSystem system;
    system.n = 6;
    system.sf.fill(1);
    system.MCA = 88;
    system.MCX = 59;
    CalculationConstants truth;
    truth.MCA = 88;
    truth.MCX = 59;
    truth.K[1] = 10000;
    truth.beta[1] = 10000;
    for (int i = 1; i < system.n; ++i) {
        truth.K[static_cast<size_t>(i + 1)] = 20 * truth.K[static_cast<size_t>(i)] / 100;
        truth.beta[static_cast<size_t>(i + 1)] =
            truth.beta[static_cast<size_t>(i)] * truth.K[static_cast<size_t>(i + 1)];
    }
    for (int k = 0; k < 20; ++k) {
        const ext C0 = 1e-5L * std::pow(1000.0L, k / 19.0L);
        const ext deviation = (k % 3 == 0 ? 0.005L : k % 3 == 1 ? -0.004L : 0.001L);
        const ext kappa = calculatedConductivity(system, truth, C0, FreeAnionRoute::StepSearch);
        system.points.push_back({C0, kappa * (1 + deviation)});
    }
    system.K[1] = 3000;
    for (int i = 1; i < system.n; ++i)
        system.K[static_cast<size_t>(i + 1)] = 45 * system.K[static_cast<size_t>(i)] / 100;
    system.MCA = 70;
    return system;
}

void FitOfK1AlfaAndMcaToTwentyPoints(benchmark::State& state) {
    const FitSystem system = twentyPointSystem();
    const FitRequest request{parseFitParameterList("K1,alfa,MCA"), {}};
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const FitResult result = fitConstants(system, request);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        benchmark::DoNotOptimize(result.sumOfSquares);
        if (!result.converged()) {
            state.SkipWithError(("the fit did not converge: " + result.reason).c_str());
            break;
        }
        if (elapsed.count() > secondsAllowed) {
            state.SkipWithError("one fit took longer than 1 s");
            break;
        }
        state.counters["evaluations"] = result.evaluations;
        // With the scan of the constants, the other starts, the check and the profiles.
        state.counters["evaluations_in_all"] = result.totalEvaluations;
    }
}
BENCHMARK(FitOfK1AlfaAndMcaToTwentyPoints)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace condsim

BENCHMARK_MAIN();
