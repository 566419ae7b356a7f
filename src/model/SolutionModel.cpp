#include "model/SolutionModel.h"

#include <cmath>

#include "core/Error.h"

namespace condsim {

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

SolutionModel withBjerrumIonSize(SolutionModel model, int n) {
    if (model.bjerrumIonSize) model.ionSize = bjerrumDistance(model.solvent, n);
    return model;
}

void checkIonSize(ext ionSize) {
    if (!(ionSize > 0 && std::isfinite(ionSize)))
        throw Error("The ion size a must be a positive number of Angstrom");
}

}  // namespace condsim
