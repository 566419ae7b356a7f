#include "model/MassBalance.h"

#include "core/CheckedArithmetic.h"

namespace condsim {

ext massBalanceSide(int n, ext C0, ext X) { return div(sub(mul(toExt(n), C0), X), C0); }

ext timesPower(ext coefficient, ext X, int i) {
    ext term = coefficient;
    for (int j = 0; j < i; ++j) term = mul(term, X);
    return term;
}

ext formationSide(int n, const SpeciesArray& beta, ext X) {
    ext numerator = mul(beta[1], X);
    for (int i = 2; i <= n; ++i) {
        numerator = add(numerator, timesPower(mul(toExt(i), beta[i]), X, i));
    }
    ext denominator = add(mul(beta[1], X), 1);
    for (int i = 2; i <= n; ++i) denominator = add(denominator, timesPower(beta[i], X, i));
    return div(numerator, denominator);
}

ext speciesDenominator(int n, const SpeciesArray& beta, ext X) {
    ext denominator = 1;
    for (int i = 1; i <= n; ++i) denominator = add(denominator, timesPower(beta[i], X, i));
    return denominator;
}

}  // namespace condsim
