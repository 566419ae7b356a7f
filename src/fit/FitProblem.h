#pragma once
// The weighted least-squares problem of a fit: for values of the fitted parameters, the
// residuals w_j x (calculated_j - observed_j) over the observed points, with the
// calculated conductivity from calculatedConductivity and the weights from the weighting.
// Counts its evaluations of all residuals, which is what a fit costs.

#include <functional>
#include <vector>

#include "fit/FitParameterisation.h"
#include "fit/FitWeighting.h"

namespace condsim {

class FitProblem {
  public:
    // The parameterisation must outlive the problem; progress, when given, is told after
    // every evaluation of all residuals (FitOptions::progress).
    FitProblem(const FitParameterisation& parameterisation, FitWeighting weighting,
               std::function<void(int n, int evaluations)> progress = {});

    const FitParameterisation& parameterisation() const { return *parameterisation_; }
    const FitSystem& system() const { return parameterisation_->system(); }
    FitWeighting weighting() const { return weighting_; }
    int pointCount() const { return static_cast<int>(weights_.size()); }
    size_t parameterCount() const { return parameterisation_->size(); }

    // Throws Error when the calculation fails at these values.
    std::vector<ext> residuals(const std::vector<ext>& values) const;
    ext sumOfSquares(const std::vector<ext>& values) const;
    // The sum of squares of residuals already computed.
    static ext sumOfSquaresOf(const std::vector<ext>& residuals);

    // The length of the weighted observed vector: the scale against which the precision
    // of a residual is judged.
    ext observedScale() const { return observedScale_; }
    int evaluations() const { return evaluations_; }

  private:
    const FitParameterisation* parameterisation_;
    FitWeighting weighting_;
    std::vector<ext> weights_;
    ext observedScale_ = 0;
    mutable int evaluations_ = 0;
    std::function<void(int n, int evaluations)> progress_;
};

}  // namespace condsim
