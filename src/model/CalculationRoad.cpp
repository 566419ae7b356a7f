#include "model/CalculationRoad.h"

namespace condsim {

CalculationRoad calculationRoad(const SolutionModel& model) {
    if (model.kind == SolutionModelKind::Ideal) return DesignedRoad{};
    return IonicRoad{model};
}

PointResult solvePoint(const CalculationRoad& road, const PointInput& input, ext C0,
                       PointStages& stages, ext& X) {
    return std::visit([&](const auto& way) { return way.solve(input, C0, stages, X); }, road);
}

std::string inputRefusal(const CalculationRoad& road, const PointInput& input,
                         PointStages& stages) {
    return std::visit([&](const auto& way) { return way.refusal(input, stages); }, road);
}

PointResult solvePoint(const CalculationRoad& road, const PointInput& input, ext C0,
                       const LimitingConductivities& lambdas) {
    QuietStages stages(lambdas);
    ext X = 0;
    return solvePoint(road, input, C0, stages, X);
}

std::string roadDescription(const CalculationRoad& road) {
    return std::visit([](const auto& way) { return way.description(); }, road);
}

std::string roadSummaryName(const CalculationRoad& road) {
    return std::visit([](const auto& way) { return way.summaryName(); }, road);
}

std::vector<std::string> ownQuantityColumns(const CalculationRoad& road) {
    return std::visit([](const auto& way) { return way.ownQuantityColumns(); }, road);
}

std::vector<std::string> ownQuantityTableHeaders(const CalculationRoad& road) {
    return std::visit([](const auto& way) { return way.ownQuantityTableHeaders(); }, road);
}

bool hasIonSize(const CalculationRoad& road) {
    return std::visit([](const auto& way) { return way.hasIonSize(); }, road);
}

std::string solutionModelDescription(const SolutionModel& model) {
    return roadDescription(calculationRoad(model));
}

}  // namespace condsim
