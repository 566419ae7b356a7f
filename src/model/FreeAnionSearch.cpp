#include "model/FreeAnionSearch.h"

#include <cmath>

#include "core/CheckedArithmetic.h"
#include "model/MassBalance.h"

namespace condsim {

namespace {

// The search starts just below n x C0: the extended real nearest to 1 - 1e-18, which is
// 1 - 18 x 2^-64.
constexpr ext startFactor = 0.999999999999999999L;
// The first step is this fraction of the start value.
constexpr ext firstStepFraction = 0.001L;
// Each reversal (a crossing of the balance, or a step away from it) shrinks the step.
constexpr ext stepShrink = 0.7L;
// The search stops when two successive differences differ by less than this.
constexpr ext stopDifference = 1e-14L;

}  // namespace

ext freeAnionStart(int n, ext C0) { return mul(mul(toExt(n), C0), startFactor); }

void searchFreeAnion(int n, const SpeciesArray& beta, ext C0, ext& X) {
    const auto difference = [&](ext x) { return sub(massBalanceSide(n, C0, x), formationSide(n, beta, x)); };
    ext d = difference(X);
    ext step = mul(firstStepFraction, X);
    ext direction = -1;
    for (;;) {
        const ext previous = d;
        // The balance lies above X = 0, where the mass balance alone gives n: a step that
        // would reach 0 or below is shortened until it stays above, so that the search
        // cannot settle on a negative concentration where |d| merely has a minimum.
        while (!(add(mul(step, direction), X) > 0) && X > 0) step = mul(step, stepShrink);
        X = add(mul(step, direction), X);
        d = difference(X);
        if (mul(d, previous) < 0 || std::fabs(d) > std::fabs(previous)) {
            step = mul(step, stepShrink);
            direction = mul(direction, -1);
        }
        if (std::fabs(sub(previous, d)) < stopDifference) break;
    }
}

}  // namespace condsim
