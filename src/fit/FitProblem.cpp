#include "fit/FitProblem.h"

#include <cmath>
#include <utility>

#include "core/CheckedArithmetic.h"

namespace condsim {

FitProblem::FitProblem(const FitParameterisation& parameterisation, FitWeighting weighting,
                       std::function<void(int n, int evaluations)> progress)
    : parameterisation_(&parameterisation), weighting_(weighting), progress_(std::move(progress)) {
    ext squares = 0;
    for (const ObservedPoint& point : system().points) {
        const ext weight = residualWeight(weighting, point.conductivity);
        weights_.push_back(weight);
        squares += (weight * point.conductivity) * (weight * point.conductivity);
    }
    observedScale_ = std::sqrt(squares);
}

std::vector<ext> FitProblem::residuals(const std::vector<ext>& values) const {
    ++evaluations_;
    const CalculationConstants constants = parameterisation_->constantsAt(values);
    const FitSystem& fitted = system();
    std::vector<ext> residuals(weights_.size());
    for (size_t j = 0; j < weights_.size(); ++j) {
        const ObservedPoint& point = fitted.points[j];
        const ext difference =
            sub(calculatedConductivity(fitted, constants, point.concentration), point.conductivity);
        residuals[j] = mul(weights_[j], difference);
    }
    if (progress_) progress_(fitted.n, evaluations_);
    return residuals;
}

ext FitProblem::sumOfSquares(const std::vector<ext>& values) const {
    return sumOfSquaresOf(residuals(values));
}

ext FitProblem::sumOfSquaresOf(const std::vector<ext>& residuals) {
    ext sum = 0;
    for (const ext r : residuals) sum = add(sum, mul(r, r));
    return sum;
}

}  // namespace condsim
