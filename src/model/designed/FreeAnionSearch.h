#pragma once
// The step search for the free anion concentration X = [X-] at a total concentration C0:
// the X at which the mass balance and the formation function give the same mean number
// of bound anions. Pure: reads only its arguments. A fault in any operation, such as 0/0 in
// the mass balance at a zero C0 or an overflow, raises its floating-point error.
// Equations: docs/solution-model.md, "The designed calculation".

#include "core/Ext.h"
#include "model/EquilibriumModel.h"

namespace condsim {

// Where the search starts: just below n x C0, (n x C0) x (1 - 18 x 2^-64).
ext freeAnionStart(int n, ext C0);

// The error that ends a search still unsettled after a million passes.
inline constexpr const char* searchDidNotSettleText =
    "The search for the free anion concentration did not settle within 1000000 steps: check "
    "the constants and the concentration range";

// Searches from the X given until two successive differences of the two sides differ by
// less than 1e-14. X is updated with every value tried, so that after a fault it holds
// the last X the search reached; on return it holds the X found.
void searchFreeAnion(int n, const SpeciesArray& beta, ext C0, ext& X);

}  // namespace condsim
