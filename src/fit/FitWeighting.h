#pragma once
// How the residuals of a fit are weighted. Absolute: calculated - observed conductivity,
// every point alike. Relative: (calculated - observed) / observed, the residual of the
// molar conductivity in proportion to its value, as conductance analysis minimises it;
// dilute points, whose conductivity is small, then count as much as concentrated ones.
// The weights depend only on the observed values, never on how the conductivity is
// calculated.

#include <string>
#include <string_view>

#include "core/Ext.h"

namespace condsim {

enum class FitWeighting { Absolute, Relative };

// "absolute" or "relative", the names the batch tool takes.
std::string fitWeightingName(FitWeighting weighting);
// Reads a name of fitWeightingName; false when the text is neither.
bool parseFitWeighting(std::string_view text, FitWeighting& weighting);
// What the residuals are, for the results table.
std::string fitWeightingDescription(FitWeighting weighting);

// The factor of the residual at an observed conductivity: 1, or 1 / observed.
ext residualWeight(FitWeighting weighting, ext observed);

}  // namespace condsim
