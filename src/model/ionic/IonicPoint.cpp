#include "model/ionic/IonicPoint.h"

#include <cmath>
#include <numbers>

#include "core/Error.h"
#include "model/ValueText.h"
#include "model/ionic/ActivityCoefficients.h"
#include "model/ionic/IonicBalance.h"
#include "model/ionic/OnsagerFuoss.h"

namespace condsim {

namespace {

std::string valueText(ext value) { return condsim::valueText(value, 15); }

// The share c_j z_j^2 / 2I from which a species' conductance factors must stay positive.
constexpr ext judgedShare = 1e-9L;

ext limitingConductivityOf(const IonicPointInput& input, int i) {
    return (*input.sf)[static_cast<size_t>(i)] * input.cationPerCharge;
}

std::string ionName(const IonicPointInput& input, size_t j) {
    return j < static_cast<size_t>(input.n) ? "AX" + std::to_string(j) : std::string("X-");
}

// Why the conductance equation fails at this point: kappa a beyond 1 (the ions' atmospheres
// thinner than the ions), or else the solvent's permittivity too low for the charge.
std::string outsideRangeReason(const SolutionModel& model, const SolventCoefficients& c,
                               ext ionicStrength, int charge) {
    const ext kappaA = c.B * model.ionSize * std::sqrt(ionicStrength);
    const std::string where = " (I = " + valueText(ionicStrength) +
                              " mol/L, kappa a = " + condsim::valueText(kappaA, 4) + ")";
    if (kappaA > 1) {
        return "kappa times a is too large" + where +
               ": the ion atmosphere is thinner than the ion size a";
    }
    return "the solvent's permittivity eps_r = " + valueText(model.solvent.permittivity) +
           " is too low for charge " + std::to_string(charge) + " at this concentration" + where;
}

[[noreturn]] void outsideRange(ext C0, const std::string& what, const std::string& reason) {
    throw Error("At C0 = " + valueText(C0) +
                " mol/L the ionic-strength model is outside its range: " + what + "; " + reason);
}

}  // namespace

std::string severalIonicStrengthsNote(ext C0, const std::vector<ext>& ionicStrengths) {
    if (ionicStrengths.size() <= 1) return {};
    std::string roots;
    for (const ext I : ionicStrengths) roots += (roots.empty() ? "" : ", ") + valueText(I);
    return "At C0 = " + valueText(C0) + " mol/L the ionic balance has " +
           std::to_string(ionicStrengths.size()) + " roots, I = " + roots +
           " mol/L: the lowest is used (the branch continuous from infinite dilution)";
}

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
    const IonicSpeciation species =
        speciateAtIonicStrength(input.n, *input.beta, law, C0, input.roots);

    std::vector<Ion> ions;
    ions.reserve(static_cast<size_t>(input.n) + 1);
    for (int i = 0; i < input.n; ++i) {
        ions.push_back({species.concentrations[static_cast<size_t>(i)], input.n - i,
                        limitingConductivityOf(input, i)});
    }
    ions.push_back({species.X, -1, input.anionConductivity});
    const std::vector<ConductanceFactors> factors =
        conductanceFactors(ions, coefficients, model.ionSize, species.ionicStrength);
    ext conductivity = 0;
    for (size_t j = 0; j < ions.size(); ++j) {
        const Ion& ion = ions[j];
        const ConductanceFactors& f = factors[j];
        conductivity +=
            std::abs(ion.charge) * ion.concentration * (f.electrophoretic * f.relaxation);
        // A trace species carries nothing of the conductivity: its factors are not judged.
        const ext share = ion.concentration * ion.charge * ion.charge / (2 * species.ionicStrength);
        if (!(share > judgedShare)) continue;
        const std::string reason =
            !(f.electrophoretic > 0) ? "the electrophoretic term of " + ionName(input, j) +
                                           " exceeds its limiting conductivity"
            : !(f.relaxation > 0)
                ? "the relaxation factor of " + ionName(input, j) + " is " + valueText(f.relaxation)
                : std::string();
        if (!reason.empty()) {
            outsideRange(C0, reason,
                         outsideRangeReason(model, coefficients, species.ionicStrength,
                                            std::abs(ion.charge)));
        }
    }
    if (!(conductivity > 0)) {
        outsideRange(C0, "the calculated conductivity is " + valueText(conductivity),
                     outsideRangeReason(model, coefficients, species.ionicStrength, input.n));
    }

    IonicPoint point;
    point.X = species.X;
    point.ionicStrength = species.ionicStrength;
    point.anionActivityCoefficient =
        std::exp(std::numbers::ln10_v<ext> * species.log10PerChargeSquared);
    point.concentrations = species.concentrations;
    point.meanBound = species.meanBound;
    point.conductivity = conductivity;
    point.ionicStrengths = species.ionicStrengths;
    return point;
}

}  // namespace condsim
