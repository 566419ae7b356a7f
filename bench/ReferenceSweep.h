#pragma once
// The yardstick of the sweep benchmarks: the arithmetic of a sweep written as a bare loop
// on plain long doubles, with no text, no tables and no fault checks. It solves the same
// concentrations in the same order of operations as the program, so its results are the
// program's to the last bit; what the program costs beyond it is the price of everything
// around the arithmetic.

#include <vector>

#include "core/Ext.h"
#include "model/EquilibriumModel.h"

namespace condsim::bench {

struct ReferenceSystem {
    int n = 0;
    SpeciesArray beta{};
    SpeciesArray sf{};
    ext MCA = 0;
    ext MCX = 0;
};

struct ReferencePoint {
    ext freeAnion = 0;
    ext conductivity = 0;
    ext leftSide = 0;
    ext rightSide = 0;
    SpeciesArray abundance{};
    SpeciesArray speciesConcentration{};
};

// One point: the step search from just below n x C0, both sides at the X found, the
// conductivity, the abundances and the species concentrations.
ReferencePoint referenceSolve(const ReferenceSystem& system, ext C0);

// The sweep's concentrations: k x (xmax - xmin) / (N + 1) + xmin for k = 1..N.
std::vector<ext> sweepConcentrations(ext xmin, ext xmax, int points);

}  // namespace condsim::bench
