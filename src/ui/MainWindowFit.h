#pragma once
// The fit bound to the main window: the calculation it adjusts is read from TForm1's state
// and fields; nothing of the window changes.

#include "fit/AnionCountComparison.h"
#include "fit/ConstantsFit.h"
#include "fit/FitSystem.h"

namespace condsim {

class TForm1;

// Reads n(), the model's K, the Model #1 switch and alfa, the scaling factors, number() of the MCA
// and MCX texts and the observed data. Throws the conversion error when MCA or MCX is not a number.
FitSystem fitSystemOf(const TForm1& form);

// Fits to the state of the main window (fitSystemOf); a conversion error comes back as the
// refusal's reason. A refusal for want of observed points says on a second line that no
// data are loaded and how to load them.
FitResult fitConstants(const TForm1& form, const FitRequest& request);

// The comparison of n started from the window's constants (fitSystemOf); a conversion
// error comes back as the comparison's refusal, and no observed points as for the fit.
AnionCountComparison compareAnionCounts(const TForm1& form, const FitRequest& request, int fromN,
                                        int toN);

}  // namespace condsim
