#include "fit/AnionCountComparison.h"

#include <cmath>
#include <exception>
#include <utility>

#include "core/Error.h"
#include "core/IndexOrderedWork.h"
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

AnionCountComparison compareAnionCounts(const FitSystem& system, const FitRequest& request,
                                        int fromN, int toN) {
    AnionCountComparison comparison;
    comparison.weighting = request.weighting;
    if (fromN < nMinimum || toN > nMaximum || fromN > toN) {
        comparison.refusal = "The range of n must lie within " + integerText(nMinimum) + ".." +
                             integerText(nMaximum) + " and not be empty; it is " +
                             integerText(fromN) + ".." + integerText(toN) + ".";
        return comparison;
    }
    const int parameterCount = static_cast<int>(request.parameters.size());
    // The fits of the n are independent: shared among the threads, taken in increasing n.
    const auto fitAt = [&](int index) {
        FitSystem withN = system;
        withN.n = fromN + index;
        return fitConstants(withN, request);
    };
    const auto addRow = [&](int index, FitResult&& fit) {
        const int n = fromN + index;
        AnionCountFit row{n, std::move(fit), 0};
        if (row.fit.converged()) {
            row.aic = akaikeCriterion(row.fit, parameterCount);
            if (comparison.bestN == 0 ||
                row.aic < comparison.rows[static_cast<size_t>(comparison.bestN - fromN)].aic) {
                comparison.bestN = n;
            }
        }
        comparison.rows.push_back(std::move(row));
    };
    runInIndexOrder<FitResult>(
        toN - fromN + 1, request.options.threads, fitAt, addRow,
        [](int, const std::exception_ptr& error) { std::rethrow_exception(error); });
    // A reason that holds for every n (no observed data, say) is the comparison's own.
    const std::string& first = comparison.rows.front().fit.reason;
    bool refusedAlike = true;
    for (const AnionCountFit& row : comparison.rows) {
        refusedAlike =
            refusedAlike && row.fit.status == FitStatus::Refused && row.fit.reason == first;
    }
    if (refusedAlike) {
        comparison.refusal = first;
        comparison.rows.clear();
    }
    return comparison;
}

}  // namespace condsim
