#include "fit/FitSystem.h"

#include "core/CheckedArithmetic.h"
#include "model/MassBalance.h"
#include "model/SolutionConductivity.h"

namespace condsim {

ext conductivityAt(int n, const CalculationConstants& constants, const SpeciesArray& sf, ext C0, ext X) {
    const ext anionPart = mul(constants.MCX, X);
    const ext denominator = speciesDenominator(n, constants.beta, X);
    const ext charged = chargeWeightedSum(n, constants.beta, sf, X);
    return solutionConductivity(constants.MCA, C0, charged, denominator, anionPart);
}

}  // namespace condsim
