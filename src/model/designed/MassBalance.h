#pragma once
// The two sides of the free-anion balance and the sums that the conductivity shares with
// them. Powers of X are formed by repeated multiplication in a fixed order, never by a
// power function: the order of the operations fixes the last bits of every result.
// A fault in any operation raises the floating-point error of the first faulting one.
// Equations: docs/solution-model.md, "The designed calculation".

#include "core/Ext.h"
#include "model/EquilibriumModel.h"

namespace condsim {

// Mean number of bound anions from the mass balance: ((n x C0) - X) / C0.
ext massBalanceSide(int n, ext C0, ext X);

// Mean number of bound anions from the formation constants:
// (sum i beta(i) X^i) / (1 + sum beta(i) X^i), i = 1..n.
ext formationSide(int n, const SpeciesArray& beta, ext X);

// beta(i) multiplied by X i times in succession.
ext timesPower(ext coefficient, ext X, int i);

// D = 1 + sum over i = 1..n of beta(i) X^i, the terms added in increasing order.
ext speciesDenominator(int n, const SpeciesArray& beta, ext X);

}  // namespace condsim
