#include "fit/FitWeighting.h"

#include "core/CheckedArithmetic.h"

namespace condsim {

std::string fitWeightingName(FitWeighting weighting) {
    return weighting == FitWeighting::Relative ? "relative" : "absolute";
}

bool parseFitWeighting(std::string_view text, FitWeighting& weighting) {
    if (text == "absolute") {
        weighting = FitWeighting::Absolute;
        return true;
    }
    if (text == "relative") {
        weighting = FitWeighting::Relative;
        return true;
    }
    return false;
}

std::string fitWeightingDescription(FitWeighting weighting) {
    return weighting == FitWeighting::Relative
               ? "relative: (calculated - observed) / observed conductivity"
               : "absolute: calculated - observed conductivity";
}

ext residualWeight(FitWeighting weighting, ext observed) {
    return weighting == FitWeighting::Relative ? div(1, observed) : 1;
}

}  // namespace condsim
