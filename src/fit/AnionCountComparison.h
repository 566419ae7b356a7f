#pragma once
// How many ion pairs the data support: the same fit repeated for each n of a range, with
// its RMS residual and Akaike's information criterion
//   AIC = m ln(sum of squares / m) + 2 (p + 1)
// for m points and p fitted parameters (+1 for the variance of the residuals), with the
// sum of squares of the weighted residuals that the fit minimised. The lowest
// AIC among the converged fits marks the n the data favour. A sum of squares of 0 gives
// an AIC of minus infinity.

#include <string>
#include <vector>

#include "fit/FitRequest.h"
#include "fit/FitResult.h"
#include "fit/FitSystem.h"

namespace condsim {

struct AnionCountFit {
    int n = 0;
    FitResult fit;
    ext aic = 0;  // meaningful when fit.converged()
};

struct AnionCountComparison {
    std::string refusal;              // why the comparison cannot run; empty when it ran
    std::vector<AnionCountFit> rows;  // one per n, in increasing n
    int bestN = 0;                    // n of the lowest AIC, 0 when no fit converged
    FitWeighting weighting = FitWeighting::Absolute;  // of the residuals, as requested
};

// Every n of fromN..toN (within 2..30) starts from the system's constants, as the fit at
// the system's own n would. The fits are shared among the request's threads; the result is
// the same for every count.
AnionCountComparison compareAnionCounts(const FitSystem& system, const FitRequest& request,
                                        int fromN, int toN);

}  // namespace condsim
