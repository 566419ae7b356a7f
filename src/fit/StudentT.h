#pragma once
// Quantiles of Student's t distribution, for the confidence intervals of a fit.

namespace condsim {

// The t with P(T <= t) = probability for T of Student's t with the given degrees of
// freedom (>= 1), for probability in (0.5, 1). Accurate to about 1e-12 relative: the
// regularised incomplete beta function comes from Eigen, its inverse by bisection.
double studentTQuantile(double probability, int degreesOfFreedom);

}  // namespace condsim
