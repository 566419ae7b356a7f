#include "model/designed/DesignedRoad.h"

#include "model/designed/FreeAnionNewton.h"
#include "model/designed/FreeAnionSearch.h"
#include "model/designed/MassBalance.h"
#include "model/designed/SolutionConductivity.h"

namespace condsim {

PointResult DesignedRoad::solve(const PointInput& input, ext C0, PointStages& stages,
                                ext& X) const {
    const int n = input.n;
    if (input.route == FreeAnionRoute::Fast) {
        X = freeAnionByNewton(n, input.beta, C0);
    } else {
        X = freeAnionStart(n, C0);
        stages.searchStarted(X);
        searchFreeAnion(n, input.beta, C0, X);
    }
    const ext shown = stages.freeAnionFound(X);
    stages.boundAnionsFound(formationSide(n, input.beta, shown));
    const LimitingConductivities lambdas = stages.limitingConductivities();
    const DesignedConductivity conductivity =
        designedConductivity(n, input.beta, input.sf, lambdas, C0, X);
    PointResult result;
    result.X = X;
    result.conductivity = conductivity.value;
    designedAbundances(n, input.beta, X, conductivity.denominator, result.abundance);
    return result;
}

}  // namespace condsim
