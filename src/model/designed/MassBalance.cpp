#include "model/designed/MassBalance.h"

#include "core/CheckedArithmetic.h"
#include "model/designed/EquilibriumFormulas.h"

namespace condsim {

// Each function evaluates its formula plainly first and keeps the result when it is
// finite; otherwise the checked evaluation raises the first fault (core/CheckedArithmetic.h).
// On finite values both evaluations give the same bits.

ext massBalanceSide(int n, ext C0, ext X) {
    // C0 is finite, so a fault in the numerator cannot be divided away.
    const ext value = massBalanceSideWith<PlainArithmetic>(n, C0, X);
    if (isFiniteExt(value)) [[likely]]
        return value;
    return massBalanceSideWith<CheckedArithmetic>(n, C0, X);
}

ext timesPower(ext coefficient, ext X, int i) {
    const ext value = timesPowerWith<PlainArithmetic>(coefficient, X, i);
    if (isFiniteExt(value)) [[likely]]
        return value;
    return timesPowerWith<CheckedArithmetic>(coefficient, X, i);
}

ext formationSide(int n, const SpeciesArray& beta, ext X) {
    const Quotient plain = formationSumsWith<PlainArithmetic>(n, beta, X);
    if (isFiniteExt(plain.numerator) && isFiniteExt(plain.denominator)) [[likely]] {
        const ext value = plain.numerator / plain.denominator;
        if (isFiniteExt(value)) [[likely]]
            return value;
    }
    const Quotient checked = formationSumsWith<CheckedArithmetic>(n, beta, X);
    return div(checked.numerator, checked.denominator);
}

ext speciesDenominator(int n, const SpeciesArray& beta, ext X) {
    const ext value = speciesDenominatorWith<PlainArithmetic>(n, beta, X);
    if (isFiniteExt(value)) [[likely]]
        return value;
    return speciesDenominatorWith<CheckedArithmetic>(n, beta, X);
}

}  // namespace condsim
