#include "fit/FitSystem.h"

#include "core/CheckedArithmetic.h"
#include "core/Error.h"
#include "model/designed/FreeAnionNewton.h"
#include "model/designed/FreeAnionSearch.h"
#include "model/designed/MassBalance.h"
#include "model/designed/SolutionConductivity.h"
#include "model/ionic/IonicPoint.h"

namespace condsim {

ext conductivityAt(int n, const CalculationConstants& constants, const SpeciesArray& sf, ext C0,
                   ext X) {
    const ext anionPart = mul(constants.MCX, X);
    const ext denominator = speciesDenominator(n, constants.beta, X);
    const ext charged = chargeWeightedSum(n, constants.beta, sf, X);
    return solutionConductivity(constants.MCA, C0, charged, denominator, anionPart);
}

ext calculatedConductivity(const FitSystem& system, const CalculationConstants& constants, ext C0,
                           FreeAnionRoute route) {
    if (!system.solution.ideal()) {
        const IonicPointInput input{system.n, &constants.beta, &system.sf, constants.MCA,
                                    constants.MCX};
        const std::string refusal = nonPositiveMobilityRefusal(input);
        if (!refusal.empty()) throw Error(refusal);
        SolutionModel model = system.solution;
        model.ionSize = constants.ionSize;
        return solveIonicPoint(model, input, C0).conductivity;
    }
    ext X = 0;
    if (route == FreeAnionRoute::Fast) {
        X = freeAnionByNewton(system.n, constants.beta, C0);
    } else {
        X = freeAnionStart(system.n, C0);
        searchFreeAnion(system.n, constants.beta, C0, X);
    }
    return conductivityAt(system.n, constants, system.sf, C0, X);
}

}  // namespace condsim
