#include "fit/FitSystem.h"

#include "core/CheckedArithmetic.h"
#include "fit/FreeAnionNewton.h"
#include "model/MassBalance.h"
#include "model/SolutionConductivity.h"

namespace condsim {

ext conductivityAt(int n, const CalculationConstants& constants, const SpeciesArray& sf, ext C0, ext X) {
    const ext anionPart = mul(constants.MCX, X);
    const ext denominator = speciesDenominator(n, constants.beta, X);
    const ext charged = chargeWeightedSum(n, constants.beta, sf, X);
    return solutionConductivity(constants.MCA, C0, charged, denominator, anionPart);
}

ext calculatedConductivity(const FitSystem& system, const CalculationConstants& constants, ext C0) {
    const ext X = freeAnionByNewton(system.n, constants.beta, C0);
    return conductivityAt(system.n, constants, system.sf, C0, X);
}

}  // namespace condsim
