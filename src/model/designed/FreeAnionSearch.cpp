#include "model/designed/FreeAnionSearch.h"

#include <cmath>

#include "core/CheckedArithmetic.h"
#include "core/Error.h"
#include "model/designed/EquilibriumFormulas.h"
#include "model/designed/MassBalance.h"

namespace condsim {

namespace {

// The search starts just below n x C0: the extended real nearest to 1 - 1e-18, which is
// 1 - 18 x 2^-64.
constexpr ext startFactor = 0.999999999999999999L;
// The first step is this fraction of the start value.
constexpr ext firstStepFraction = 0.001L;
// Each reversal (a crossing of the balance, or a step away from it) shrinks the step.
constexpr ext stepShrink = 0.7L;
// The search stops when two successive differences differ by less than this.
constexpr ext stopDifference = 1e-14L;
// A bound far beyond any search that settles (those take thousands of passes): inputs
// with no balance in reach (a negative concentration, constants whose formation function
// has poles) could otherwise creep on for ever with a step too small to finish.
constexpr long maximumPasses = 1000000;

// What one pass of the search works on.
struct SearchState {
    ext X;
    ext d;  // the difference of the two sides at X
    ext step;
    ext direction;
};

struct PassOutcome {
    bool stop;
    // False when the plain evaluation met a value that is not finite: a fault that the
    // checked evaluation of the same pass will raise.
    bool finite;
};

// One pass: a step (shortened while it would reach X = 0 or below: the balance lies above
// 0, where the mass balance alone gives n, so the search must not settle on a negative
// concentration where |d| merely has a minimum), the new difference, the reversal rule
// and the stop test, every operation in this order.
template <class Arithmetic>
PassOutcome searchPassWith(int n, const SpeciesArray& beta, ext C0, SearchState& state) {
    using A = Arithmetic;
    const ext previous = state.d;
    while (!(A::add(A::mul(state.step, state.direction), state.X) > 0) && state.X > 0) {
        state.step = A::mul(state.step, stepShrink);
    }
    state.X = A::add(A::mul(state.step, state.direction), state.X);
    const ext left = massBalanceSideWith<A>(n, C0, state.X);
    const Quotient right = formationSumsWith<A>(n, beta, state.X);
    state.d = A::sub(left, A::div(right.numerator, right.denominator));
    const ext signTest = A::mul(state.d, previous);
    if (signTest < 0 || std::fabs(state.d) > std::fabs(previous)) {
        state.step = A::mul(state.step, stepShrink);
        state.direction = A::mul(state.direction, -1);
    }
    const ext change = A::sub(previous, state.d);
    // A fault anywhere in the pass leaves one of these infinite or NaN (X and the mass
    // balance reach d; the quotient's parts are tested before their division can hide one).
    const bool finite = isFiniteExt(right.numerator) && isFiniteExt(right.denominator) &&
                        isFiniteExt(state.d) && isFiniteExt(signTest) && isFiniteExt(change);
    return {std::fabs(change) < stopDifference, finite};
}

}  // namespace

ext freeAnionStart(int n, ext C0) { return mul(mul(toExt(n), C0), startFactor); }

void searchFreeAnion(int n, const SpeciesArray& beta, ext C0, ext& X) {
    SearchState state{X, sub(massBalanceSide(n, C0, X), formationSide(n, beta, X)),
                      mul(firstStepFraction, X), -1};
    for (long pass = 1;; ++pass) {
        if (pass > maximumPasses) [[unlikely]]
            throw Error(searchDidNotSettleText);
        const SearchState before = state;
        PassOutcome outcome = searchPassWith<PlainArithmetic>(n, beta, C0, state);
        if (!outcome.finite) [[unlikely]] {
            // The same pass again with checked operations, from where it started; X keeps
            // the value the pass reached when it raises its fault.
            state = before;
            try {
                outcome = searchPassWith<CheckedArithmetic>(n, beta, C0, state);
            } catch (...) {
                X = state.X;
                throw;
            }
        }
        X = state.X;
        if (outcome.stop) break;
    }
}

}  // namespace condsim
