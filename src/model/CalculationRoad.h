#pragma once
// The road of the calculation, chosen once from the solution model: the designed
// calculation of an ideal solution (model/designed/) or the ionic-strength model
// (model/ionic/). Everything in which the roads differ is asked of the road through the
// functions below; no caller decides it again. A third road is a folder of its own and one
// more alternative of the variant, with the members DesignedRoad has.

#include <string>
#include <variant>
#include <vector>

#include "model/PointCalculation.h"
#include "model/SolutionModel.h"
#include "model/designed/DesignedRoad.h"
#include "model/ionic/IonicRoad.h"

namespace condsim {

using CalculationRoad = std::variant<DesignedRoad, IonicRoad>;

// The one place where the kind of the solution model is read.
CalculationRoad calculationRoad(const SolutionModel& model);

// The calculation at total concentration C0, telling the stages as it reaches them. X
// carries [X-]: after a fault it holds the last value reached.
PointResult solvePoint(const CalculationRoad& road, const PointInput& input, ext C0,
                       PointStages& stages, ext& X);
// Why the road cannot calculate with these inputs (asking the stages for the limiting
// conductivities where it needs them), or empty when it can.
std::string inputRefusal(const CalculationRoad& road, const PointInput& input, PointStages& stages);
// The same without stages, with the limiting conductivities known.
PointResult solvePoint(const CalculationRoad& road, const PointInput& input, ext C0,
                       const LimitingConductivities& lambdas);

// "ideal", or for example "Debye-Hueckel + Onsager-Fuoss, water 25 C, a = 4.5 A".
std::string roadDescription(const CalculationRoad& road);
// "ideal solution", or the description of the ionic-strength model: for captions.
std::string roadSummaryName(const CalculationRoad& road);
// The road's own quantities (none on the designed road): headers with units, and the
// headers of their text table.
std::vector<std::string> ownQuantityColumns(const CalculationRoad& road);
std::vector<std::string> ownQuantityTableHeaders(const CalculationRoad& road);
// Whether the road has an ion size, which a fit may adjust.
bool hasIonSize(const CalculationRoad& road);

}  // namespace condsim
