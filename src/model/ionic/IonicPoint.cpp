#include "model/ionic/IonicPoint.h"

#include <cmath>
#include <numbers>

#include "model/ValueText.h"
#include "model/ionic/ActivityCoefficients.h"
#include "model/ionic/IonicBalance.h"
#include "model/ionic/OnsagerFuoss.h"

namespace condsim {

namespace {

std::string valueText(ext value) { return condsim::valueText(value, 15); }

ext limitingConductivityOf(const IonicPointInput& input, int i) {
    return (*input.sf)[static_cast<size_t>(i)] * input.cationPerCharge;
}

}  // namespace

std::string nonPositiveMobilityRefusal(const IonicPointInput& input) {
    const std::string need =
        "The ionic-strength model needs a positive limiting conductivity for every charged "
        "species: ";
    for (int i = 0; i < input.n; ++i) {
        const ext lambda0 = limitingConductivityOf(input, i);
        if (!(lambda0 > 0)) {
            return need + "AX" + std::to_string(i) + " has " + valueText(lambda0) +
                   " (scaling factor " + valueText((*input.sf)[static_cast<size_t>(i)]) +
                   " x lambda(A/z) " + valueText(input.cationPerCharge) + ")";
        }
    }
    if (!(input.anionConductivity > 0))
        return need + "X- has " + valueText(input.anionConductivity);
    return {};
}

IonicPoint solveIonicPoint(const SolutionModel& model, const IonicPointInput& input, ext C0) {
    const SolventCoefficients coefficients = solventCoefficients(model.solvent);
    const ActivityLaw law{model.kind, coefficients, model.ionSize};
    const IonicSpeciation species = speciateAtIonicStrength(input.n, *input.beta, law, C0);

    std::vector<Ion> ions;
    ions.reserve(static_cast<size_t>(input.n) + 1);
    for (int i = 0; i < input.n; ++i) {
        ions.push_back({species.concentrations[static_cast<size_t>(i)], input.n - i,
                        limitingConductivityOf(input, i)});
    }
    ions.push_back({species.X, -1, input.anionConductivity});
    const std::vector<ext> conductances =
        ionConductances(ions, coefficients, model.ionSize, species.ionicStrength);
    ext conductivity = 0;
    for (size_t j = 0; j < ions.size(); ++j) {
        conductivity += std::abs(ions[j].charge) * ions[j].concentration * conductances[j];
    }

    IonicPoint point;
    point.X = species.X;
    point.ionicStrength = species.ionicStrength;
    point.anionActivityCoefficient =
        std::exp(std::numbers::ln10_v<ext> * species.log10PerChargeSquared);
    point.concentrations = species.concentrations;
    point.meanBound = species.meanBound;
    point.conductivity = conductivity;
    return point;
}

}  // namespace condsim
