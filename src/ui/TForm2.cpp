// The abundance window and the species distribution plot.
#include "ui/TForm2.h"

#include "core/Error.h"

namespace condsim {
TForm2::TForm2(ProcessState& state, const CanvasFactory& canvasFactory)
    : Image1(imageDesignWidth, imageDesignHeight, canvasFactory), state_(state) {}
void TForm2::drawdistributionClick() { throw Error("the distribution plot is not built yet"); }
}  // namespace condsim
