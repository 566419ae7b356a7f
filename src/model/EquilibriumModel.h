#pragma once
// The stepwise-equilibrium state of the process: the cation A of charge n+ binds up to n
// univalent anions X- one after the other (species AX0..AXn).

#include <array>

#include "core/Ext.h"

namespace condsim {

// Entries 0..100; the arrays bound n at 100.
inline constexpr int speciesCapacity = 101;
using SpeciesArray = std::array<ext, speciesCapacity>;

struct EquilibriumModel {
    SpeciesArray K{};          // stepwise formation constants K(1..n) (M^-1)
    SpeciesArray beta{};       // cumulative constants beta(i) = K(1) x ... x K(i)
    SpeciesArray abundance{};  // percentage of the cation present as AXi, i = 0..n
    ext C0 = 0;                // total concentration of the current solve (mol/L)
    ext X = 0;                 // free anion concentration [X-] of the last solve (mol/L)
    ext conductivity = 0;      // conductivity of the last solve (MC*M), before its rounding to text
};

}  // namespace condsim
