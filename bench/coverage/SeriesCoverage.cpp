// How often the 95 % intervals of dH and dS contain the truth over many noisy synthetic
// temperature series (tests/fit/SyntheticSeries.h: 5 temperatures from 5 to 45 C, the 12
// dilute CaCl2 concentrations, dH = 8 kJ/mol, dS = 48 J/(mol K), lambda of the cation 1 %
// above Walden's per 40 K, noise 0.005 mS/cm), for the van 't Hoff line through the
// separate fits and for the global fit (Jacobian and profile intervals), lambda free; and
// how often the F test of the global fit against the separate ones rejects it at 5 %.
//
// usage: condsim_series_coverage [SETS]   (default 200; the separate fits use every core)

#include <cstdio>
#include <cstdlib>

#include "SyntheticSeries.h"
#include "fit/SeriesResult.h"

int main(int argc, char** argv) {
    using namespace condsim;
    const int sets = argc > 1 ? std::atoi(argv[1]) : 200;
    const SeriesSetup setup{testing::seriesModel(),
                            {parseFitParameterList("K1,MCA"), {}, FitWeighting::Absolute},
                            testing::seriesWater};
    SeriesRunOptions options;
    options.global = true;
    int lines = 0;
    int globals = 0;
    int covered[6] = {};
    int rejected = 0;  // F tests with P(larger F) below 0.05
    const auto within = [](ext truth, ext lower, ext upper) {
        return lower <= truth && truth <= upper;
    };
    for (int seed = 1; seed <= sets; ++seed) {
        const SeriesResult result =
            runSeries(testing::syntheticSeries(testing::seriesDiluteConcentrations,
                                               static_cast<std::uint32_t>(seed)),
                      setup, options);
        const ext truth[2] = {testing::seriesEnthalpy, testing::seriesEntropy};
        if (result.vantHoff.fitted()) {
            ++lines;
            covered[0] +=
                within(truth[0], result.vantHoff.enthalpy.lower, result.vantHoff.enthalpy.upper);
            covered[1] +=
                within(truth[1], result.vantHoff.entropy.lower, result.vantHoff.entropy.upper);
        }
        if (result.global && result.global->converged()) {
            ++globals;
            rejected += result.global->fProbability < 0.05L ? 1 : 0;
            for (int j = 0; j < 2; ++j) {
                const GlobalEstimate& e = result.global->estimates[static_cast<size_t>(j)];
                covered[2 + j] += within(truth[j], e.lower, e.upper);
                covered[4 + j] += within(truth[j], e.profileLower, e.profileUpper);
            }
        }
    }
    const auto percent = [](int count, int of) { return of > 0 ? 100.0 * count / of : 0.0; };
    std::printf("%d series: van 't Hoff fitted in %d, the global fit converged in %d\n", sets,
                lines, globals);
    std::printf("95%% intervals holding the truth\tdH\tdS\n");
    std::printf("van 't Hoff\t%.1f %%\t%.1f %%\n", percent(covered[0], lines),
                percent(covered[1], lines));
    std::printf("global (Jacobian)\t%.1f %%\t%.1f %%\n", percent(covered[2], globals),
                percent(covered[3], globals));
    std::printf("global (profile)\t%.1f %%\t%.1f %%\n", percent(covered[4], globals),
                percent(covered[5], globals));
    std::printf("F test of the global against the separate fits: P(larger F) < 0.05 in %.1f %%\n",
                percent(rejected, globals));
    return 0;
}
