#pragma once
// The designed calculation of an ideal solution at one total concentration: [X-] by the
// step search (or, inside a fit, by the fast solver), the mean bound number from the
// formation function, then the conductivity and the abundances. Equations:
// docs/solution-model.md, "The designed calculation".

#include <string>
#include <vector>

#include "model/PointCalculation.h"

namespace condsim {

struct DesignedRoad {
    // X carries the search: after a fault it holds the last value the search reached.
    PointResult solve(const PointInput& input, ext C0, PointStages& stages, ext& X) const;
    // The designed calculation takes any constants and limiting conductivities.
    std::string refusal(const PointInput& /*input*/, PointStages& /*stages*/) const { return {}; }

    std::string description() const { return "ideal"; }
    std::string summaryName() const { return "ideal solution"; }
    std::vector<std::string> ownQuantityColumns() const { return {}; }
    std::vector<std::string> ownQuantityTableHeaders() const { return {}; }
    bool hasIonSize() const { return false; }
};

}  // namespace condsim
