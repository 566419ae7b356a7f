#include "fit/FitSystem.h"

#include "model/CalculationRoad.h"

namespace condsim {

ext calculatedConductivity(const FitSystem& system, const CalculationConstants& constants, ext C0,
                           FreeAnionRoute route) {
    const PointInput input{system.n, constants.beta, system.sf, route};
    return solvePoint(calculationRoad(constants.solution), input, C0,
                      {constants.MCA, constants.MCX})
        .conductivity;
}

}  // namespace condsim
