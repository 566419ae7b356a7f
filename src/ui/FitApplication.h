#pragma once
// Writes a converged fit into the main window, as the import of stepwise constants does:
// SetStepwiseConstants(K(1..n)) sets the model's K and beta and the constants table and
// turns Model #1 off. A fitted K1 also goes into the beta1 field as NumberText, so that a
// later Initialize (which every change of the spin fields runs) keeps it; a fitted MCA or
// MCX goes into its field as NumberText.

#include "fit/FitResult.h"

namespace condsim {

class TForm1;

// Throws Error, changing nothing, when the fit did not converge.
void applyFit(TForm1& form, const FitResult& result);

}  // namespace condsim
