#include "model/SolutionConductivity.h"

#include "core/CheckedArithmetic.h"
#include "model/MassBalance.h"

namespace condsim {

ext chargeWeightedSum(int n, const SpeciesArray& beta, const SpeciesArray& sf, ext X) {
    ext charged = mul(toExt(n), sf[0]);
    for (int i = 1; i <= n - 1; ++i) {
        const ext coefficient = mul(mul(toExt(n - i), sf[i]), beta[i]);
        charged = add(charged, timesPower(coefficient, X, i));
    }
    return charged;
}

ext solutionConductivity(ext cationPerCharge, ext C0, ext charged, ext denominator, ext anionPart) {
    return add(div(mul(mul(cationPerCharge, C0), charged), denominator), anionPart);
}

}  // namespace condsim
