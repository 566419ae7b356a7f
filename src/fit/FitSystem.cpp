#include "fit/FitSystem.h"

#include "model/CalculationRoad.h"

namespace condsim {

PointResult calculatedPoint(const FitSystem& system, const CalculationConstants& constants, ext C0,
                            FreeAnionRoute route) {
    const PointInput input{system.n, constants.beta, system.sf, route};
    return solvePoint(calculationRoad(constants.solution), input, C0,
                      {constants.MCA, constants.MCX});
}

ext calculatedConductivity(const FitSystem& system, const CalculationConstants& constants, ext C0,
                           FreeAnionRoute route) {
    return calculatedPoint(system, constants, C0, route).conductivity;
}

}  // namespace condsim
