// The conductivity plot of the main window.
#include "core/Error.h"
#include "ui/TForm1.h"

namespace condsim {
void TForm1::DrawObservedPlot() { throw Error("the plot is not built yet"); }
void TForm1::RedrawAfterSweep() { throw Error("the plot is not built yet"); }
}  // namespace condsim
