#include "model/ionic/ActivityCoefficients.h"

#include <cmath>

namespace condsim {

namespace {

// The linear term of Davies's equation.
constexpr ext daviesLinearTerm = 0.3L;

}  // namespace

ext ActivityLaw::log10PerChargeSquared(ext ionicStrength) const {
    const ext root = std::sqrt(ionicStrength);
    switch (kind) {
        case SolutionModelKind::Ideal:
            return 0;
        case SolutionModelKind::DebyeHuckel:
            return -coefficients.A * root / (1 + coefficients.B * ionSize * root);
        case SolutionModelKind::Davies:
            return -coefficients.A * (root / (1 + root) - daviesLinearTerm * ionicStrength);
    }
    return 0;
}

}  // namespace condsim
