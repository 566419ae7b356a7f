// How often the 95 % intervals of a fit contain the truth: fits to many noisy synthetic
// data sets made by the ionic-strength model at known constants, counted per parameter for
// the profile interval and for the interval from the Jacobian. The data: the 28
// concentrations of the measured CaCl2 set, the conductivities the Debye-Hueckel model
// gives there for n = 2, K1 = 30, alfa = 50 (K2 = 15), MCA = 60, MCX = 76.35 and a = 5 A,
// with normal noise of 0.005 mS/cm (the RMS residual of the dilute measured set) from a
// fixed seed. Each fit of K1, alfa, MCA and a starts from K1 = 10, alfa = 20, MCA = 55,
// a = 4 A. A well-calibrated interval contains the truth in about 95 % of the sets.
//
// usage: condsim_profile_coverage [SETS [THREADS]]   (defaults 200 and 2)

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "CalciumChlorideConcentrations.h"
#include "fit/ConstantsFit.h"

namespace condsim {
namespace {

constexpr double noise = 0.005;
const char* const names[] = {"K1", "alfa", "MCA", "a"};
constexpr ext truth[] = {30, 50, 60, 5};

// The noise-free conductivities at the true constants.
std::vector<ext> trueConductivities(const FitSystem& shape) {
    CalculationConstants constants;
    constants.K[1] = truth[0];
    constants.K[2] = truth[0] * truth[1] / 100;
    constants.beta = {1, constants.K[1], constants.K[1] * constants.K[2]};
    constants.MCA = truth[2];
    constants.MCX = shape.MCX;
    constants.solution = shape.solution;
    constants.solution.ionSize = truth[3];
    std::vector<ext> kappa;
    for (const ext C0 : calciumChlorideConcentrations)
        kappa.push_back(calculatedConductivity(shape, constants, C0, FreeAnionRoute::StepSearch));
    return kappa;
}

FitSystem startingSystem() {
    FitSystem system;
    system.n = 2;
    system.sf.fill(1);
    system.model1 = true;
    system.alfa = 20;
    system.K[1] = 10;
    system.K[2] = 2;
    system.MCA = 55;
    system.MCX = 76.35L;
    system.solution.kind = SolutionModelKind::DebyeHuckel;
    system.solution.ionSize = 4;
    return system;
}

struct Tally {
    int fits = 0;
    int failed = 0;
    std::vector<std::string> reasons;  // of the fits that did not converge
    int profileCovers[4] = {};
    int jacobianCovers[4] = {};
    int jacobianGiven[4] = {};
    int notDetermined[4] = {};
};

bool within(ext value, ext lower, ext upper) { return value >= lower && value <= upper; }

void count(const FitResult& result, Tally& tally) {
    ++tally.fits;
    if (!result.converged()) {
        ++tally.failed;
        tally.reasons.push_back(result.reason);
        return;
    }
    for (size_t j = 0; j < 4; ++j) {
        const FittedValue& fitted = result.values[j];
        switch (fitted.state) {
            case FittedState::AtZero:
                if (truth[j] <= fitted.profileUpper) ++tally.profileCovers[j];
                break;
            case FittedState::NotDetermined:
                ++tally.notDetermined[j];
                ++tally.profileCovers[j];
                break;
            case FittedState::NoEffect:
                break;
            case FittedState::Estimated:
                if (within(truth[j], fitted.profileLower, fitted.profileUpper))
                    ++tally.profileCovers[j];
                if (fitted.hasJacobianInterval) {
                    ++tally.jacobianGiven[j];
                    if (within(truth[j], fitted.lower, fitted.upper)) ++tally.jacobianCovers[j];
                }
                break;
        }
    }
}

}  // namespace
}  // namespace condsim

int main(int argc, char** argv) {
    using namespace condsim;
    const int sets = argc > 1 ? std::atoi(argv[1]) : 200;
    const int threads = argc > 2 ? std::atoi(argv[2]) : 2;
    const FitSystem start = startingSystem();
    const std::vector<ext> kappa = trueConductivities(start);
    // The noise of every set drawn in advance, in order, so that the sets do not depend on
    // the threads.
    std::mt19937_64 generator(20261209);
    std::normal_distribution<double> normal(0, noise);
    std::vector<std::vector<ext>> observed(static_cast<size_t>(sets));
    for (auto& set : observed) {
        for (const ext value : kappa) set.push_back(value + normal(generator));
    }
    const FitRequest request{parseFitParameterList("K1,alfa,MCA,a"), {}};
    Tally tally;
    std::mutex guard;
    std::atomic<int> next{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&] {
            for (int k = next++; k < sets; k = next++) {
                FitSystem system = start;
                for (size_t i = 0; i < kappa.size(); ++i)
                    system.points.push_back(
                        {calciumChlorideConcentrations[i], observed[static_cast<size_t>(k)][i]});
                const FitResult result = fitConstants(system, request);
                const std::lock_guard<std::mutex> lock(guard);
                count(result, tally);
            }
        });
    }
    for (std::thread& worker : workers) worker.join();
    const int converged = tally.fits - tally.failed;
    std::printf("%d sets, %d fits converged\n", tally.fits, converged);
    for (const std::string& reason : tally.reasons)
        std::printf("not converged: %s\n", reason.c_str());
    std::printf(
        "parameter\ttruth\tprofile 95%% covers\tJacobian 95%% covers (of given)\tnot determined\n");
    for (size_t j = 0; j < 4; ++j) {
        std::printf("%s\t%g\t%.1f %%\t%.1f %% (%d)\t%d\n", names[j], static_cast<double>(truth[j]),
                    100.0 * tally.profileCovers[j] / converged,
                    tally.jacobianGiven[j] > 0
                        ? 100.0 * tally.jacobianCovers[j] / tally.jacobianGiven[j]
                        : 0.0,
                    tally.jacobianGiven[j], tally.notDetermined[j]);
    }
    return 0;
}
