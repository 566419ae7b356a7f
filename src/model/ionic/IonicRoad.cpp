#include "model/ionic/IonicRoad.h"

#include "core/Error.h"
#include "model/ValueText.h"
#include "model/ionic/IonicPoint.h"

namespace condsim {

namespace {

// Enough digits for a description line; the tables keep their own number text.
std::string shortNumber(ext value) { return valueText(value, 6); }

constexpr ext roomTemperature = 298.15L;
constexpr ext millipascalSecondsPerPascalSecond = 1000;

std::string solventText(const Solvent& solvent) {
    if (solvent.name != "other" && solvent.temperature == roomTemperature)
        return solvent.name + " 25 C";
    return solvent.name + " (T = " + shortNumber(solvent.temperature) +
           " K, eps_r = " + shortNumber(solvent.permittivity) +
           ", eta = " + shortNumber(solvent.viscosity * millipascalSecondsPerPascalSecond) +
           " mPa s)";
}

IonicPointInput ionicInput(const PointInput& input, const LimitingConductivities& lambdas) {
    // The fast route of a fit's optimiser takes the first root of the ionic balance; the
    // calculation, and the fit at its optimum, look for every root.
    return {
        input.n,       &input.beta,
        &input.sf,     lambdas.cationPerCharge,
        lambdas.anion, input.route == FreeAnionRoute::Fast ? IonicRoots::First : IonicRoots::Every};
}

}  // namespace

std::string IonicRoad::refusal(const PointInput& input, PointStages& stages) const {
    return nonPositiveMobilityRefusal(ionicInput(input, stages.limitingConductivities()));
}

PointResult IonicRoad::solve(const PointInput& input, ext C0, PointStages& stages, ext& X) const {
    const IonicPointInput ionicInput = condsim::ionicInput(input, stages.limitingConductivities());
    const std::string refusal = nonPositiveMobilityRefusal(ionicInput);
    if (!refusal.empty()) throw Error(refusal);
    const IonicPoint point = solveIonicPoint(model, ionicInput, C0);
    X = point.X;
    stages.freeAnionFound(X);
    stages.boundAnionsFound(point.meanBound);
    PointResult result;
    result.X = X;
    result.conductivity = point.conductivity;
    for (int i = 0; i <= input.n; ++i) {
        result.abundance[static_cast<size_t>(i)] =
            point.concentrations[static_cast<size_t>(i)] * 100 / C0;
    }
    result.ownValues = {point.ionicStrength, point.anionActivityCoefficient};
    result.ionicStrength = point.ionicStrength;
    if (point.ionicStrengths.size() > 1) result.ionicStrengthRoots = point.ionicStrengths;
    if (std::string note = severalIonicStrengthsNote(C0, point.ionicStrengths); !note.empty())
        result.notes.push_back(std::move(note));
    return result;
}

std::string IonicRoad::description() const {
    return solutionModelKindName(model.kind) + ", " + solventText(model.solvent) +
           ", a = " + shortNumber(model.ionSize) + " A" +
           (model.bjerrumIonSize ? " (Bjerrum's q)" : "");
}

}  // namespace condsim
