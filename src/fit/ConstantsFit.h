#pragma once
// The fit of chosen constants to the observed data: least squares of the weighted
// residuals w (calculated - observed conductivity) over the observed points (FitProblem).
//
// 1. The fitted formation constants are scanned over the decades the data can see
//    (ConstantScan), MCA and MCX fitted at each point of the scan.
// 2. Eigen's Levenberg-Marquardt (LocalFit) runs from the start of the fit and from the
//    best points of the scan; the lowest sum of squares wins. A formation constant that a
//    start puts at 0 stays there.
// 3. The winner must be an optimum (OptimumCheck): the gradient of the sum of squares zero
//    to within its precision and a Jacobian of full rank. When a formation constant runs
//    towards 0 instead, the fit is repeated with it held at 0; that constant is reported
//    as 0 with its one-sided 95 % upper bound from the profile. Anything else that is no
//    optimum is reported as not converged, with the reason.
// 4. At the optimum: the covariance sigma^2 (J^T J)^-1 from the central-difference
//    Jacobian, sigma^2 = sum of squares / (points - estimated parameters), intervals
//    from Student's t, and for each formation constant the 95 % interval from the profile
//    of the sum of squares (ProfileBounds).
//
// Inside the optimiser the free anion concentration comes from the fast solver; at the
// optimum the calculated conductivities, the sum of squares and the RMS residual are
// computed again with the calculation's own step search.
//
// Nothing of the windows changes: the fit works on a copy (FitSystem). It never throws;
// a refusal, a failure of the calculation and a stop without an optimum come back as the
// status with a reason.

#include "fit/FitRequest.h"
#include "fit/FitResult.h"
#include "fit/FitSystem.h"

namespace condsim {

FitResult fitConstants(const FitSystem& system, const FitRequest& request);

}  // namespace condsim
