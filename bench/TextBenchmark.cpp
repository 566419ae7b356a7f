// The text work around the arithmetic: NumberText and number(t) per call, reading an
// observed data file of 100 pairs, and writing the report after a 1000-point sweep.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "BenchSession.h"
#include "DiscardingCanvas.h"
#include "files/NumberText.h"

namespace condsim::bench {
namespace {

// Values of the kinds a sweep writes: concentrations, conductivities, abundances, tiny
// species concentrations.
const std::vector<ext> sampleValues{1.5984015984016e-5L,
                                    0.0668620908012345678L,
                                    45.4545454545454545L,
                                    9.0909090909090909e-6L,
                                    3.2768e13L,
                                    1.0L / 3.0L,
                                    0.001L,
                                    99.99999999999999L};

void NumberTextPerCall(benchmark::State& state) {
    size_t i = 0;
    for (auto _ : state) {
        std::string text = NumberText(sampleValues[i++ % sampleValues.size()]);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(NumberTextPerCall);

void NumberParsePerCall(benchmark::State& state) {
    std::vector<std::string> texts;
    for (const ext value : sampleValues) texts.push_back(NumberText(value));
    size_t i = 0;
    for (auto _ : state) {
        const ext value = number(texts[i++ % texts.size()]);
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(NumberParsePerCall);

void ReadObservedFileOfHundredPairs(benchmark::State& state) {
    Session session{discardingCanvases()};
    const std::string file = session.directory.write("hundred.txt", observedPairs(100));
    for (auto _ : state) {
        session.platform.answerNextDialog(file);
        session.app.Form1.Open1Click();
    }
    if (session.app.state.observed.count != 100) state.SkipWithError("the file was not read whole");
}
BENCHMARK(ReadObservedFileOfHundredPairs)->Unit(benchmark::kMicrosecond);

void WriteReportAfterThousandPointSweep(benchmark::State& state) {
    Session session{discardingCanvases()};
    session.openObserved(observedTwelvePairs);
    session.define(sixSpecies);
    session.sweep(1000);
    const std::string report = (session.directory.path() / "report.txt").string();
    for (auto _ : state) {
        session.platform.answerNextDialog(report);
        session.app.Form1.Save1Click();
    }
    if (!session.platform.errors.empty())
        state.SkipWithError(session.platform.errors.front().c_str());
}
BENCHMARK(WriteReportAfterThousandPointSweep)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace condsim::bench
