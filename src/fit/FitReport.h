#pragma once
// The text forms of a fit and of a comparison of n: tab-separated tables for standard
// output (a spreadsheet takes them as they are), and the one-line message of a fit that
// was refused or did not converge. Numbers are NumberText (15 significant digits).

#include <string>

#include "fit/AnionCountComparison.h"
#include "fit/FitResult.h"

namespace condsim {

// "The fit cannot run: <reason>" or "The fit did not converge: <reason>"; empty when it
// converged.
std::string fitFailureMessage(const FitResult& result);

// The table of a converged fit: a title line with the counts, the weighting of the
// residuals, one line per fitted value with its standard error, its 95 % interval from
// the Jacobian and, for a formation constant, from the profile; notes on constants at 0
// and on how the other constants are set; the correlation matrix and the RMS residual.
std::string fitResultTable(const FitResult& result);

// One line per n: the RMS residual and the AIC, "best" beside the lowest AIC; a fit that
// did not converge or could not run says so in place of its figures.
std::string anionCountTable(const AnionCountComparison& comparison);

}  // namespace condsim
