#pragma once
// The data export: the last complete calculation as CSV, one header row with units and one
// row per point. Rows "calculated" are the points of the sweep (C0, sqrt(C0), kappa,
// Lambda, [X-], each species' abundance and concentration, and the solution model's own
// quantities); rows "observed" are the observed points with the values calculated at their
// concentrations and the residual. Every number has 17 significant digits.

#include <optional>
#include <string>

#include "model/CalculationRecord.h"

namespace condsim {

// The CSV text, or nothing when there is no calculation.
std::optional<std::string> calculationCsv(const CalculationRecord& calculation);

// The message of an export with no calculation.
inline constexpr const char* nothingToExport =
    "There is no calculation to export: run Conduct Calculations first.";

}  // namespace condsim
