#pragma once
// The parameters of a calculation in one line, for the caption of its figures: n, the
// constants, the limiting conductivities and any scaling factors that are not 1.

#include <string>

namespace condsim {

class TForm1;

// For example "AX6: K1 = 10000 L mol-1, K(i+1) = 20 % of K(i) (Model #1);
// lambda(A/z) = 88, lambda(X-) = 59 S cm2 mol-1". Values are shown with 6 significant
// digits. Reads the main window's fields and the model's constants as they stand.
std::string calculationCaption(const TForm1& form);

}  // namespace condsim
