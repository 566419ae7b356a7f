#pragma once
// The cumulative constants beta(r) = K(1) x ... x K(r) of the stepwise constants, and the
// constants of Model #1. Equations: docs/solution-model.md, "The designed calculation".

#include "core/CheckedArithmetic.h"
#include "model/EquilibriumModel.h"

namespace condsim {

// beta(r) = beta(r - 1) x K(r) for r = 1..n, with beta(0) = 1, in index order. Each beta(r)
// is stored as soon as it is formed and formed(r) runs then, so that an overflow at r
// leaves beta(1..r-1), and what formed did with them, in place.
template <class Formed>
void formCumulativeConstants(int n, const SpeciesArray& K, SpeciesArray& beta, Formed&& formed) {
    ext product = 1;
    for (int r = 1; r <= n; ++r) {
        product = mul(product, K[static_cast<size_t>(r)]);
        beta[static_cast<size_t>(r)] = product;
        formed(r);
    }
}

inline void formCumulativeConstants(int n, const SpeciesArray& K, SpeciesArray& beta) {
    formCumulativeConstants(n, K, beta, [](int) {});
}

// Model #1: each constant is alfa percent of the one before it, K(i + 1) = (alfa x K(i)) /
// 100 for i = 1..n-1.
inline void generateByModel1(int n, ext alfa, SpeciesArray& K) {
    for (size_t i = 1; i + 1 <= static_cast<size_t>(n); ++i) K[i + 1] = div(mul(alfa, K[i]), 100);
}

}  // namespace condsim
