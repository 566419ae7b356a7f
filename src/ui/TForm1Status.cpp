// The status line of the main window: which solution model its results come from.

#include "ui/TForm1.h"

namespace condsim {

std::string TForm1::statusLine() const {
    return "Solution model: " + solutionModelDescription(state_.solution);
}

}  // namespace condsim
