#pragma once
// What a fit is asked to do: which parameters to adjust, and the limits of the optimiser.

#include <cfloat>
#include <vector>

#include "core/Ext.h"
#include "fit/FitParameter.h"

namespace condsim {

struct FitOptions {
    // The optimiser stops without converging after this many evaluations of all residuals
    // (the Jacobian by forward differences costs one per parameter, plus one).
    int maxEvaluations = 2000;
    // Relative tolerance on the sum of squares and on the parameters: the square root of
    // the extended machine epsilon, about 3.3e-10, as the optimiser's library defaults to.
    ext tolerance = 0x1p-32L;
    // The first step may change the scaled unknowns by this factor times their norm
    // (MINPACK's "factor"). Its usual 100 lets the first step leap from a poor start into
    // a far valley of the sum of squares; 0.1 keeps the first steps near the start.
    ext initialStepBound = 0.1L;
};

struct FitRequest {
    // Either alfa (with or without K1: Model #1 then generates K(2..n)) or any stepwise
    // constants K(i), i <= n; each with or without MCA and MCX.
    std::vector<FitParameter> parameters;
    FitOptions options;
};

}  // namespace condsim
