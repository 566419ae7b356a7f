#pragma once
// Quantiles of Student's t distribution, for the confidence intervals of a fit, and the
// upper tail of the F distribution, for the comparison of nested fits.

namespace condsim {

// The t with P(T <= t) = probability for T of Student's t with the given degrees of
// freedom (>= 1), for probability in (0.5, 1). Accurate to about 1e-12 relative: the
// regularised incomplete beta function comes from Eigen, its inverse by bisection.
double studentTQuantile(double probability, int degreesOfFreedom);

// P(F > f) for F of Fisher's F distribution with (d1, d2) degrees of freedom, f >= 0:
// the chance of a larger F where the simpler of two nested models holds.
double fDistributionUpperTail(double f, int d1, int d2);

}  // namespace condsim
