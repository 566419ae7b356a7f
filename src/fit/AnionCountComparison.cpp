#include "fit/AnionCountComparison.h"

#include <cmath>

#include "core/Error.h"
#include "files/NumberText.h"
#include "fit/ConstantsFit.h"
#include "fit/FitSystem.h"

namespace condsim {

namespace {

// The range of the n field.
constexpr int nMinimum = 2;
constexpr int nMaximum = 30;

ext akaikeCriterion(const FitResult& fit, int parameterCount) {
    const ext m = fit.pointCount;
    return m * std::log(fit.sumOfSquares / m) + 2 * (parameterCount + 1);
}

}  // namespace

AnionCountComparison compareAnionCounts(FitSystem system, const FitRequest& request, int fromN, int toN) {
    AnionCountComparison comparison;
    comparison.weighting = request.weighting;
    if (fromN < nMinimum || toN > nMaximum || fromN > toN) {
        comparison.refusal = "The range of n must lie within " + integerText(nMinimum) + ".." +
                             integerText(nMaximum) + " and not be empty; it is " + integerText(fromN) + ".." +
                             integerText(toN) + ".";
        return comparison;
    }
    const int parameterCount = static_cast<int>(request.parameters.size());
    for (int n = fromN; n <= toN; ++n) {
        system.n = n;
        AnionCountFit row{n, fitConstants(system, request), 0};
        if (row.fit.converged()) {
            row.aic = akaikeCriterion(row.fit, parameterCount);
            if (comparison.bestN == 0 || row.aic < comparison.rows[static_cast<size_t>(comparison.bestN - fromN)].aic) {
                comparison.bestN = n;
            }
        }
        comparison.rows.push_back(std::move(row));
    }
    // A reason that holds for every n (no observed data, say) is the comparison's own.
    const std::string& first = comparison.rows.front().fit.reason;
    bool refusedAlike = true;
    for (const AnionCountFit& row : comparison.rows) {
        refusedAlike = refusedAlike && row.fit.status == FitStatus::Refused && row.fit.reason == first;
    }
    if (refusedAlike) {
        comparison.refusal = first;
        comparison.rows.clear();
    }
    return comparison;
}

}  // namespace condsim
