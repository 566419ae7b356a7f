#include "model/designed/SolutionConductivity.h"

#include "core/CheckedArithmetic.h"
#include "model/designed/EquilibriumFormulas.h"

namespace condsim {

ext chargeWeightedSum(int n, const SpeciesArray& beta, const SpeciesArray& sf, ext X) {
    // Plainly first; a fault in the sum leaves it infinite or NaN, and the checked
    // evaluation then raises it (core/CheckedArithmetic.h).
    const ext value = chargeWeightedSumWith<PlainArithmetic>(n, beta, sf, X);
    if (isFiniteExt(value)) [[likely]]
        return value;
    return chargeWeightedSumWith<CheckedArithmetic>(n, beta, sf, X);
}

ext solutionConductivity(ext cationPerCharge, ext C0, ext charged, ext denominator, ext anionPart) {
    return add(div(mul(mul(cationPerCharge, C0), charged), denominator), anionPart);
}

}  // namespace condsim
