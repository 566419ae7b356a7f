#pragma once
// What a calculation's results depend on, taken from the main window as it stands: n, the
// constants, Model #1 with alfa, the limiting conductivities as typed, the scaling factors
// of the charged species, the observed data and the solution model. The last complete
// sweep keeps the inputs it was made with, so that File/Save and the data export can tell
// whether the results still belong to what the windows show.
//
// The concentration range and the number of points are left out: the calculated table
// lists its concentrations itself, and the range is rounded to its 15-digit field texts by
// the sweep's own redraw, so that it would never compare equal afterwards.

#include <string>
#include <vector>

#include "core/Ext.h"
#include "model/SolutionModel.h"

namespace condsim {

class TForm1;

struct CalculationInputs {
    int n = 0;
    std::vector<ext> K;     // K(1..n)
    std::vector<ext> beta;  // beta(1..n)
    bool model1 = false;
    int alfa = 0;
    std::string MCA;
    std::string MCX;
    std::vector<ext> factors;  // sf(0..n-1)
    std::string dataFileName;
    std::vector<ext> observed;               // concentration and conductivity, pair by pair
    std::vector<std::string> observedTexts;  // columns 0 and 1 of the observed-data table
    SolutionModelKind solutionKind = SolutionModelKind::Ideal;
    Solvent solvent;
    ext ionSize = 0;

    bool operator==(const CalculationInputs& other) const;
};

CalculationInputs calculationInputsOf(const TForm1& form);

}  // namespace condsim
