#pragma once
// The fit of chosen constants to the observed data: least squares of (calculated -
// observed) conductivity over the observed points, minimised by Eigen's
// Levenberg-Marquardt (MINPACK's lmder with a forward-difference Jacobian).
//
// Inside the optimiser the free anion concentration comes from the fast solver
// (freeAnionByNewton); at the optimum the calculated conductivities, the sum of squares
// and the RMS residual are computed again with the calculation's own step search. The
// covariance of the unknowns is sigma^2 (J^T J)^-1 from a central-difference Jacobian J at
// the optimum, through Eigen's column-pivoting QR of J, with sigma^2 = sum of squares /
// (points - parameters).
//
// Nothing of the windows changes: the fit works on a copy (FitSystem). It never throws;
// a refusal, a failure of the calculation and a stop without convergence come back as the
// status with a reason.

#include "fit/FitRequest.h"
#include "fit/FitResult.h"
#include "fit/FitSystem.h"

namespace condsim {

FitResult fitConstants(const FitSystem& system, const FitRequest& request);

}  // namespace condsim
