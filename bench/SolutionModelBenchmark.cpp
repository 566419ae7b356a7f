// The ionic-strength model against its two limits: a sweep of n = 30 with N = 1000 points
// should take under twice the designed sweep's time, and a fit of K1, alfa, MCA and the ion
// size a to 28 points under one second (that benchmark fails, with SkipWithError, when one
// fit takes longer or does not converge).

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

#include "BenchSession.h"
#include "CalciumChlorideConcentrations.h"
#include "DiscardingCanvas.h"
#include "TestSupport.h"
#include "files/ObservedDataFile.h"
#include "fit/ConstantsFit.h"

namespace condsim::bench {
namespace {

constexpr int sweepPoints = 1000;
constexpr double fitSecondsAllowed = 1.0;

double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// The same session swept in the designed calculation and in the Debye-Hueckel model, each
// timed by the processor time of this thread; "ratio" is ionic over ideal.
void IonicToIdealSweepRatio(benchmark::State& state) {
    Session session{discardingCanvases()};
    // One thread: the processor time of this thread is then the whole sweep's.
    session.app.Form1.sweepOptions.threads = 1;
    session.openObserved(observedTwelvePairs);
    session.define(thirtySpecies);
    session.sweep(sweepPoints);
    SolutionModel ionic;
    ionic.kind = SolutionModelKind::DebyeHuckel;
    double idealSeconds = 0;
    double ionicSeconds = 0;
    for (auto _ : state) {
        session.app.state.solution = SolutionModel{};
        double start = threadSeconds();
        session.sweep(sweepPoints);
        idealSeconds += threadSeconds() - start;
        session.app.state.solution = ionic;
        start = threadSeconds();
        session.sweep(sweepPoints);
        ionicSeconds += threadSeconds() - start;
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["ideal_ms"] = 1000 * idealSeconds / iterations;
    state.counters["ionic_ms"] = 1000 * ionicSeconds / iterations;
    state.counters["ratio"] = ionicSeconds / idealSeconds;
}
BENCHMARK(IonicToIdealSweepRatio)->Unit(benchmark::kMillisecond)->Iterations(3);

// A fit of all four to 28 points that determine them: the conductivities the Debye-Hueckel
// model gives at those concentrations for K1 = 30, alfa = 50 (K2 = 15), MCA = 60 and
// a = 5 A, fitted from K1 = 10, alfa = 20, MCA = 55, a = 4 A. (The measured CaCl2 data do
// not determine alfa at all: its second step is negligible.)
void FitOfK1AlfaMcaAndIonSize(benchmark::State& state) {
    FitSystem system;
    system.n = 2;
    system.sf.fill(1);
    system.model1 = true;
    system.MCX = 76.35L;
    system.solution.kind = SolutionModelKind::DebyeHuckel;
    CalculationConstants truth;
    truth.K[1] = 30;
    truth.K[2] = 15;
    truth.beta = {1, 30, 450};
    truth.MCA = 60;
    truth.MCX = system.MCX;
    truth.solution = system.solution;
    truth.solution.ionSize = 5;
    for (const ext C0 : calciumChlorideConcentrations)
        system.points.push_back({C0, calculatedConductivity(system, truth, C0)});
    system.K[1] = 10;
    system.K[2] = 2;
    system.alfa = 20;
    system.MCA = 55;
    system.solution.ionSize = 4;
    const FitRequest request{parseFitParameterList("K1,alfa,MCA,a"), {}};
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const FitResult result = fitConstants(system, request);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        benchmark::DoNotOptimize(result.sumOfSquares);
        if (!result.converged()) {
            state.SkipWithError(("the fit did not converge: " + result.reason).c_str());
            break;
        }
        if (elapsed.count() > fitSecondsAllowed) {
            state.SkipWithError("one fit took longer than 1 s");
            break;
        }
        state.counters["evaluations"] = result.evaluations;
    }
}
BENCHMARK(FitOfK1AlfaMcaAndIonSize)->Unit(benchmark::kMillisecond);

// The fit of K1, MCA and a to the 28 measured CaCl2 points in the Debye-Hueckel model,
// with the scan of K1 and a, the starts, the profiles of all three and the check of the
// law's range: under one second.
void FitOfK1McaAndIonSizeToMeasuredCaCl2(benchmark::State& state) {
    FitSystem system;
    system.n = 2;
    system.sf.fill(1);
    system.model1 = true;
    system.alfa = 1;
    system.K[1] = 1;
    system.K[2] = 0.01L;
    system.MCA = 60;
    system.MCX = 76.35L;
    system.solution.kind = SolutionModelKind::DebyeHuckel;
    const NumberRecords records = ReadObservedDataFile(testing::exampleFile("cacl2-25C-water.txt"));
    for (int j = 0; j < records.count(); ++j)
        system.points.push_back({records.value(j, 0), records.value(j, 1)});
    const FitRequest request{parseFitParameterList("K1,MCA,a"), {}};
    for (auto _ : state) {
        const double start = threadSeconds();
        const FitResult result = fitConstants(system, request);
        const double elapsed = threadSeconds() - start;
        benchmark::DoNotOptimize(result.sumOfSquares);
        if (!result.converged()) {
            state.SkipWithError(("the fit did not converge: " + result.reason).c_str());
            break;
        }
        if (elapsed > fitSecondsAllowed) {
            state.SkipWithError("one fit took longer than 1 s of processor time");
            break;
        }
        state.counters["evaluations_in_all"] = result.totalEvaluations;
        state.counters["processor_ms"] = 1000 * elapsed;
    }
}
BENCHMARK(FitOfK1McaAndIonSizeToMeasuredCaCl2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace condsim::bench
