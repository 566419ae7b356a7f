#include "model/designed/FreeAnionNewton.h"

#include <cfloat>
#include <cmath>

#include "core/CheckedArithmetic.h"
#include "core/Error.h"
#include "model/ValueText.h"
#include "model/designed/MassBalance.h"

namespace condsim {

namespace {

// Stop when a step changes X by no more than this many units of its last place.
constexpr ext settledSteps = 4 * LDBL_EPSILON;
// Bisection alone halves the bracket [0, n C0] down to the last place of X in about
// 64 + log2(n C0 / X) passes; Newton needs far fewer. The limit only guards the loop.
constexpr int passLimit = 20000;

// The slope of the difference, -1/C0 - d formationSide / dX, where
// X x d formationSide / dX = (sum i^2 beta(i) X^i) / D - formationSide^2 (the variance of
// the bound number). Only guides the steps, so plain arithmetic suffices.
ext differenceSlope(int n, const SpeciesArray& beta, ext C0, ext X) {
    ext denominator = 1;
    ext first = 0;
    ext second = 0;
    ext power = 1;
    for (int i = 1; i <= n; ++i) {
        power *= X;
        const ext term = beta[static_cast<size_t>(i)] * power;
        denominator += term;
        first += toExt(i) * term;
        second += toExt(i) * toExt(i) * term;
    }
    const ext mean = first / denominator;
    return -1 / C0 - (second / denominator - mean * mean) / X;
}

}  // namespace

ext freeAnionByNewton(int n, const SpeciesArray& beta, ext C0) {
    const auto difference = [&](ext X) {
        return sub(massBalanceSide(n, C0, X), formationSide(n, beta, X));
    };
    ext below = 0;                  // difference > 0 here
    ext above = mul(toExt(n), C0);  // difference <= 0 here
    ext X = above / 2;
    for (int pass = 0; pass < passLimit; ++pass) {
        const ext d = difference(X);
        if (d == 0) return X;
        (d > 0 ? below : above) = X;
        ext next = X - d / differenceSlope(n, beta, C0, X);
        if (!(next > below && next < above)) next = below + (above - below) / 2;
        if (std::fabs(next - X) <= settledSteps * X || above - below <= settledSteps * X)
            return next;
        X = next;
    }
    throw Error("the free anion concentration at C0 = " + valueText(C0, 15) + " did not settle");
}

}  // namespace condsim
