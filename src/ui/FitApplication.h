#pragma once
// Writes a converged fit into the main window: the one sequence by which the Fit window's
// Apply and the batch tool's --fit apply a fit, so that both leave the same window and
// write the same report. Where K2..Kn followed the fitted K1 by Model #1 with the window's
// alfa and Model #1 is on, it stays on and Update generates them again from K1. Otherwise
// SetStepwiseConstants(K(1..n)) sets the model's K and beta and the constants table and
// turns Model #1 off, as the import of stepwise constants does; a
// fitted MCA or MCX goes into its field as NumberText and a fitted ion size into the
// solution model. K1 then goes into the beta1 field as NumberText and Update runs
// Initialize, so that the constants are those Initialize builds from the fields (beta from
// K1 as its 15-digit text), as after any later Update; Initialize with Model #1 off shows
// its caution.

#include "fit/FitResult.h"

namespace condsim {

class TForm1;

// Throws Error, changing nothing, when the fit did not converge.
void applyFit(TForm1& form, const FitResult& result);

}  // namespace condsim
