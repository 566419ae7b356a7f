#pragma once
// The one place that says which solution model the main window calculates with, for the
// figures' captions and the data export: its name with its parameters, the headers of its
// own quantities (ionic strength, activity coefficients) and their values at the last
// solve. The ideal solution has no quantities of its own.

#include <string>
#include <vector>

#include "core/Ext.h"

namespace condsim {

class TForm1;

struct SolutionModelSummary {
    std::string name;                  // "ideal solution"
    std::vector<std::string> columns;  // headers with units, "I / mol L-1"
};

SolutionModelSummary solutionModelSummary(const TForm1& form);

// The model's quantities at the last solve of the main window, one per column.
std::vector<ext> solutionValuesOfLastSolve(const TForm1& form);

}  // namespace condsim
