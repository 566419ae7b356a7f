#pragma once
// The conductivity of the solution at a free anion concentration X:
//   kappa = ((lambda(A/z) x C0) x S) / D + lambda(X-) x X
// with D = 1 + sum beta(i) X^i (speciesDenominator) and the charge-weighted sum S below.
// Each charged species AXi (i < n) contributes (n - i) x sf(i) x lambda(A/z) x [AXi]; AXn
// has no charge. A fault in any operation raises the floating-point error of the first
// faulting one.

#include "core/Ext.h"
#include "model/EquilibriumModel.h"

namespace condsim {

// S = n x sf(0) + sum over i = 1..n-1 of ((n - i) x sf(i)) x beta(i), multiplied by X i
// times; the terms are added in increasing order.
ext chargeWeightedSum(int n, const SpeciesArray& beta, const SpeciesArray& sf, ext X);

// ((cationPerCharge x C0) x charged) / denominator + anionPart, in that order.
ext solutionConductivity(ext cationPerCharge, ext C0, ext charged, ext denominator, ext anionPart);

}  // namespace condsim
