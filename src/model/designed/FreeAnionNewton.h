#pragma once
// A fast free-anion solver for the fit, which needs the balance solved many thousand
// times. It solves the same equation as the calculation's step search,
// massBalanceSide(n, C0, X) = formationSide(n, beta, X), with the same two functions, by
// Newton steps kept inside a bracket that shrinks with every evaluation (a bisection
// replaces a step that would leave it).
//
// For C0 > 0 and beta(1..n) >= 0 the difference falls strictly from n at X = 0 to
// -formationSide <= 0 at X = n x C0, so the root is unique and the bracket always holds
// it. The result agrees with the step search far below its own resolution of about 1e-14
// relative; the final values a fit shows are still computed by the step search.
// Checked: a floating-point fault raises its error; a search that does not settle within
// its limit raises an Error saying so.
// Equations: docs/solution-model.md, "The designed calculation".

#include "core/Ext.h"
#include "model/EquilibriumModel.h"

namespace condsim {

ext freeAnionByNewton(int n, const SpeciesArray& beta, ext C0);

}  // namespace condsim
