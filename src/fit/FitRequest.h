#pragma once
// What a fit is asked to do: which parameters to adjust, and the limits of the optimiser.

#include <cfloat>
#include <functional>
#include <vector>

#include "core/Ext.h"
#include "core/IndexOrderedWork.h"
#include "fit/FitParameter.h"
#include "fit/FitWeighting.h"

namespace condsim {

struct FitOptions {
    // One run of the optimiser stops without converging after this many evaluations of all
    // residuals (the Jacobian by forward differences costs one per parameter, plus one).
    int maxEvaluations = 2000;
    // The optimiser stops when a step changes the sum of squares or the parameters by less
    // than this, relatively: near the precision of the calculation, so that it stops at
    // the optimum rather than on its way there. Whether it did is checked afterwards.
    ext tolerance = 1e-14L;
    // The first step may change the scaled unknowns by this factor times their norm
    // (MINPACK's "factor"). Its usual 100 lets the first step leap from a poor start into
    // a far valley of the sum of squares; 0.1 keeps the first steps near the start.
    ext initialStepBound = 0.1L;
    // Scan the fitted formation constants over their decades for the starts of the
    // optimiser (ConstantScan); without it the optimiser starts from the window's values only.
    bool scan = true;
    // Told after every evaluation of all residuals, with the n of the system and the count
    // of evaluations so far, so that a window can show that the fit is working. It may end
    // the fit by throwing FitCancelled: fitConstants then returns nothing and has changed
    // nothing. It is told on the threads that run the fits: a caller that shows it on its
    // own thread asks for one thread.
    std::function<void(int n, int evaluations)> progress;
    // The threads among which a comparison of n shares its fits, one per n (a single fit
    // runs on the calling thread). The results are the same for every count.
    int threads = defaultThreadCount();
};

// Thrown by a progress callback to end a fit at the user's request. Not an Error: no part
// of the fit takes it for a failed evaluation.
struct FitCancelled {};

struct FitRequest {
    // Either alfa (with or without K1: Model #1 then generates K(2..n)) or any stepwise
    // constants K(i), i <= n; each with or without MCA and MCX.
    std::vector<FitParameter> parameters;
    FitOptions options;
    FitWeighting weighting = FitWeighting::Absolute;
};

}  // namespace condsim
