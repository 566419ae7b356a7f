#pragma once
// The conductivity of the solution at a free anion concentration X:
//   kappa = ((lambda(A/z) x C0) x S) / D + lambda(X-) x X
// with D = 1 + sum beta(i) X^i (speciesDenominator) and the charge-weighted sum S below.
// Each charged species AXi (i < n) contributes (n - i) x sf(i) x lambda(A/z) x [AXi]; AXn
// has no charge. A fault in any operation raises the floating-point error of the first
// faulting one.
// Equations: docs/solution-model.md, "The designed calculation".

#include "core/Ext.h"
#include "model/EquilibriumModel.h"
#include "model/PointCalculation.h"

namespace condsim {

// S = n x sf(0) + sum over i = 1..n-1 of ((n - i) x sf(i)) x beta(i), multiplied by X i
// times; the terms are added in increasing order.
ext chargeWeightedSum(int n, const SpeciesArray& beta, const SpeciesArray& sf, ext X);

// The conductivity at X and the species denominator D it was computed with.
struct DesignedConductivity {
    ext value = 0;
    ext denominator = 0;
};

// kappa at total concentration C0 and free anion concentration X, in the calculation's
// order: lambda(X-) x X, D, S, then ((lambda(A/z) x C0) x S) / D + lambda(X-) x X.
DesignedConductivity designedConductivity(int n, const SpeciesArray& beta, const SpeciesArray& sf,
                                          const LimitingConductivities& lambdas, ext C0, ext X);

// The percentages of AX0..AXn at X: 100 / D, then (beta(i) X^i x 100) / D, each stored as
// it is formed.
void designedAbundances(int n, const SpeciesArray& beta, ext X, ext denominator,
                        SpeciesArray& abundance);

}  // namespace condsim
