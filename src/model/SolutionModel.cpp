#include "model/SolutionModel.h"

#include <cmath>

#include "core/Error.h"
#include "model/ValueText.h"

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

}  // namespace

std::string solutionModelKindName(SolutionModelKind kind) {
    switch (kind) {
        case SolutionModelKind::Ideal:
            return "Ideal (as designed)";
        case SolutionModelKind::DebyeHuckel:
            return "Debye-Hueckel + Onsager-Fuoss";
        case SolutionModelKind::Davies:
            return "Davies + Onsager-Fuoss";
    }
    return {};
}

std::string solutionModelDescription(const SolutionModel& model) {
    if (model.ideal()) return "ideal";
    return solutionModelKindName(model.kind) + ", " + solventText(model.solvent) +
           ", a = " + shortNumber(model.ionSize) + " A";
}

void checkIonSize(ext ionSize) {
    if (!(ionSize > 0 && std::isfinite(ionSize)))
        throw Error("The ion size a must be a positive number of Angstrom");
}

}  // namespace condsim
