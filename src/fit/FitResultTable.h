#pragma once
// The results of a converged fit as texts, built once: the Fit window shows its cells and
// sentences, and the batch tool prints it as a tab-separated table (FitReport.h), so that
// the two say the same in the same words. Numbers are NumberText (15 significant digits).

#include <string>
#include <vector>

#include "fit/FitResult.h"

namespace condsim {

struct FitResultTable {
    // "Fit to 12 observed points at n = 6: converged after 9 iterations (34 evaluations; 440
    // in all with the scan and the profiles)"
    std::string title;
    // The column headers of the values: parameter, value, standard error, the 95 % interval
    // from the Jacobian and from the profile.
    std::vector<std::string> valueHeaders;
    // One row per fitted parameter under those headers; a cell that does not apply is empty
    // (the interval of a constant at 0 or without effect, the profile of MCA).
    std::vector<std::vector<std::string>> values;
    // Sentences, without a final period, on the constants that are not estimated: held at
    // 0, without effect, following K1 by Model #1 or held at the table's values.
    std::vector<std::string> notes;
    // The parameters' names, then the correlation matrix by rows (empty where undefined).
    std::vector<std::string> names;
    std::vector<std::vector<std::string>> correlation;
    std::string rmsResidual;
    // The fitted solution model where it has parameters of its own; empty otherwise.
    std::string solutionModel;
};

// Requires result.converged().
FitResultTable fitResultTableOf(const FitResult& result);

// One parameter in a few words for a caption: "K1 = 12.7594 (s.e. 1.10)", "K1 = 0 (95%
// upper bound 0.1358)", "K1 = 27.41 (95% to 34.9)", "a not determined".
std::string fittedValueSummary(const FittedValue& fitted);

}  // namespace condsim
