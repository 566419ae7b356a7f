#pragma once
// The formulas of the free-anion balance and of the charged-species sum, written once as
// templates on the arithmetic (PlainArithmetic or CheckedArithmetic, core/CheckedArithmetic.h).
// Powers of X are formed by repeated multiplication in a fixed order, never by a power
// function: the order of the operations fixes the last bits of every result.
// Equations: docs/solution-model.md, "The designed calculation".

#include "core/CheckedArithmetic.h"
#include "core/Ext.h"
#include "model/EquilibriumModel.h"

namespace condsim {

// A quotient before its division, so that both parts can be tested before they are
// divided (a division can turn an infinite part into a finite result).
struct Quotient {
    ext numerator;
    ext denominator;
};

// ((n x C0) - X) / C0
template <class Arithmetic>
ext massBalanceSideWith(int n, ext C0, ext X) {
    using A = Arithmetic;
    return A::div(A::sub(A::mul(toExt(n), C0), X), C0);
}

// The coefficient multiplied by X i times in succession.
template <class Arithmetic>
ext timesPowerWith(ext coefficient, ext X, int i) {
    ext term = coefficient;
    for (int j = 0; j < i; ++j) term = Arithmetic::mul(term, X);
    return term;
}

// The formation function before its division:
//   numerator   beta(1) X, then + (i x beta(i)) X^i for i = 2..n,
//   denominator (beta(1) X) + 1, then + beta(i) X^i for i = 2..n,
// the numerator first, the terms in increasing order.
template <class Arithmetic>
Quotient formationSumsWith(int n, const SpeciesArray& beta, ext X) {
    using A = Arithmetic;
    ext numerator = A::mul(beta[1], X);
    for (int i = 2; i <= n; ++i) {
        numerator = A::add(numerator, timesPowerWith<A>(A::mul(toExt(i), beta[i]), X, i));
    }
    ext denominator = A::add(A::mul(beta[1], X), 1);
    for (int i = 2; i <= n; ++i)
        denominator = A::add(denominator, timesPowerWith<A>(beta[i], X, i));
    return {numerator, denominator};
}

// 1 + sum over i = 1..n of beta(i) X^i, the terms added in increasing order.
template <class Arithmetic>
ext speciesDenominatorWith(int n, const SpeciesArray& beta, ext X) {
    ext denominator = 1;
    for (int i = 1; i <= n; ++i)
        denominator = Arithmetic::add(denominator, timesPowerWith<Arithmetic>(beta[i], X, i));
    return denominator;
}

// n x sf(0) + sum over i = 1..n-1 of ((n - i) x sf(i)) x beta(i), multiplied by X i times.
template <class Arithmetic>
ext chargeWeightedSumWith(int n, const SpeciesArray& beta, const SpeciesArray& sf, ext X) {
    using A = Arithmetic;
    ext charged = A::mul(toExt(n), sf[0]);
    for (int i = 1; i <= n - 1; ++i) {
        const ext coefficient = A::mul(A::mul(toExt(n - i), sf[i]), beta[i]);
        charged = A::add(charged, timesPowerWith<A>(coefficient, X, i));
    }
    return charged;
}

}  // namespace condsim
