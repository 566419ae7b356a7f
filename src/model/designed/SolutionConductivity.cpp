#include "model/designed/SolutionConductivity.h"

#include "core/CheckedArithmetic.h"
#include "model/designed/EquilibriumFormulas.h"
#include "model/designed/MassBalance.h"

namespace condsim {

ext chargeWeightedSum(int n, const SpeciesArray& beta, const SpeciesArray& sf, ext X) {
    // Plainly first; a fault in the sum leaves it infinite or NaN, and the checked
    // evaluation then raises it (core/CheckedArithmetic.h).
    const ext value = chargeWeightedSumWith<PlainArithmetic>(n, beta, sf, X);
    if (isFiniteExt(value)) [[likely]]
        return value;
    return chargeWeightedSumWith<CheckedArithmetic>(n, beta, sf, X);
}

DesignedConductivity designedConductivity(int n, const SpeciesArray& beta, const SpeciesArray& sf,
                                          const LimitingConductivities& lambdas, ext C0, ext X) {
    const ext anionPart = mul(lambdas.anion, X);
    const ext denominator = speciesDenominator(n, beta, X);
    const ext charged = chargeWeightedSum(n, beta, sf, X);
    const ext cationPart = div(mul(mul(lambdas.cationPerCharge, C0), charged), denominator);
    return {add(cationPart, anionPart), denominator};
}

void designedAbundances(int n, const SpeciesArray& beta, ext X, ext denominator,
                        SpeciesArray& abundance) {
    abundance[0] = div(100, denominator);
    for (int i = 1; i <= n; ++i)
        abundance[i] = div(mul(timesPower(beta[i], X, i), 100), denominator);
}

}  // namespace condsim
