#pragma once
// Intervals of a formation constant from the profile of the sum of squares: the constant
// is held at a value, the other free parameters are fitted again, and the bound is where
// that least sum of squares S(value) reaches a threshold. With the F-based rule for one
// parameter of p fitted to m points, the threshold of a 95 % interval is
//   S_min (1 + F(1, m - p; 0.95) / (m - p)) = S_min (1 + t^2 / (m - p)),
// with t Student's two-sided 95 % quantile; a one-sided 95 % bound takes the one-sided
// quantile instead. Unlike the interval from the Jacobian, this one follows the sum of
// squares where the logarithm of the constant is poorly determined.
//
// The search walks from the optimum in steps that double until the profile crosses the
// threshold, then narrows the crossing down by regula falsi (Illinois) on
// sqrt(S - S_min), which is nearly linear in the logarithm of the constant, to 1e-7 of the
// logarithm. A lower bound is 0 when the profile stays below the threshold down to 1e-7 of
// the lowest scanned decade, where the constant no longer changes the calculation; an
// upper bound is infinite when it stays below up to 1e7 times the highest.

#include <vector>

#include "fit/FitProblem.h"
#include "fit/LocalFit.h"

namespace condsim {

struct ProfileSearch {
    std::vector<ext> optimum;  // every parameter at the optimum
    std::vector<bool> free;    // the parameters fitted at the optimum
    ext optimumSum = 0;        // the sum of squares there
    ext threshold = 0;         // the sum of squares at the bound
};

// The bound of formation constant j below (direction -1) or above (+1) its optimum value;
// stepGuess is the first step on the logarithm, such as the t-multiple of its standard
// error. Returns 0 or infinity where the profile does not reach the threshold.
ext profileBound(const FitProblem& problem, const ProfileSearch& search, size_t j, int direction,
                 ext stepGuess, const LocalFitSettings& settings);

// The upper bound of formation constant j held at 0 at the optimum.
ext profileBoundFromZero(const FitProblem& problem, const ProfileSearch& search, size_t j,
                         const LocalFitSettings& settings);

}  // namespace condsim
