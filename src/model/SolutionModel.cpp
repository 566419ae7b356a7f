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

ext activityLawRangeLimit(SolutionModelKind kind) {
    switch (kind) {
        case SolutionModelKind::Ideal:
            return 0;
        case SolutionModelKind::DebyeHuckel:
            return 0.1L;
        case SolutionModelKind::Davies:
            return 0.5L;
    }
    return 0;
}

void checkIonSize(ext ionSize) {
    if (!(ionSize > 0 && std::isfinite(ionSize)))
        throw Error("The ion size a must be a positive number of Angstrom");
}

}  // namespace condsim
