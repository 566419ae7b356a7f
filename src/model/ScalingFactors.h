#pragma once
// Mobility scaling factors sf(0..100): sf(i) multiplies the conductivity contribution of
// the charged species AXi. All 1 at start; nothing resets them.

#include "model/EquilibriumModel.h"

namespace condsim {

struct ScalingFactors {
    ScalingFactors() { sf.fill(1.0L); }
    SpeciesArray sf;
};

}  // namespace condsim
