#include <gtest/gtest.h>

#include <cmath>

#include "TestSupport.h"
#include "files/NumberText.h"
#include "model/designed/FreeAnionNewton.h"
#include "model/designed/FreeAnionSearch.h"
#include "model/designed/MassBalance.h"

namespace condsim {
namespace {

// Model #1 constants as Initialize builds them.
SpeciesArray model1Beta(int n, ext K1, ext alfa) {
    SpeciesArray beta{};
    ext K = K1;
    beta[1] = K1;
    for (int i = 1; i < n; ++i) {
        K = alfa * K / 100;
        beta[static_cast<size_t>(i + 1)] = beta[static_cast<size_t>(i)] * K;
    }
    return beta;
}

ext stepSearch(int n, const SpeciesArray& beta, ext C0) {
    ext X = freeAnionStart(n, C0);
    searchFreeAnion(n, beta, C0, X);
    return X;
}

// The fast solver inside the fit must agree with the calculation's step search wherever
// a fit evaluates it: over the concentrations of observed data (1e-4 to 1e-2 M, and the
// 1.6-fold margin of the plot) and over constants from weak to strong binding.
TEST(FastFreeAnionSolver, AgreesWithTheStepSearchToOnePartInTenToTheTwelve) {
    struct System {
        int n;
        ext K1;
        ext alfa;
    };
    const System systems[] = {{2, 300, 20},  {2, 1e4L, 20}, {6, 1e4L, 20},  {6, 1e2L, 50},
                              {6, 1e6L, 10}, {8, 1e4L, 35}, {3, 1e5L, 100}, {6, 0, 20}};
    int compared = 0;
    for (const System& system : systems) {
        const SpeciesArray beta = model1Beta(system.n, system.K1, system.alfa);
        for (ext C0 = 1e-4L; C0 <= 1.6e-2L; C0 *= 1.5L) {
            const ext reference = stepSearch(system.n, beta, C0);
            const ext fast = freeAnionByNewton(system.n, beta, C0);
            EXPECT_LE(std::fabs(fast - reference), 1e-12L * reference)
                << "n " << system.n << " K1 " << NumberText(system.K1) << " C0 " << NumberText(C0)
                << ": " << NumberText(fast) << " vs " << NumberText(reference);
            // An independent fact: the two sides balance at the fast solver's X.
            EXPECT_NEAR(static_cast<double>(massBalanceSide(system.n, C0, fast)),
                        static_cast<double>(formationSide(system.n, beta, fast)), 1e-15);
            ++compared;
        }
    }
    EXPECT_EQ(compared, 8 * 13);
}

TEST(FastFreeAnionSolver, ZeroConcentrationIsTheInvalidOperationOfTheMassBalance) {
    const SpeciesArray beta = model1Beta(6, 1e4L, 20);
    EXPECT_EQ(testing::errorText([&] { freeAnionByNewton(6, beta, 0); }),
              "不正な浮動小数点数演算命令");
}

}  // namespace
}  // namespace condsim
