#pragma once
// Intervals of a fitted parameter from the profile of the sum of squares: the constant
// is held at a value, the other free parameters are fitted again, and the bound is where
// that least sum of squares S(value) reaches a threshold. With the F-based rule for one
// parameter of p fitted to m points, the threshold of a 95 % interval is
//   S_min (1 + F(1, m - p; 0.95) / (m - p)) = S_min (1 + t^2 / (m - p)),
// with t Student's two-sided 95 % quantile; a one-sided 95 % bound takes the one-sided
// quantile instead. Unlike the interval from the Jacobian, this one follows the sum of
// squares where the logarithm of the constant is poorly determined.
//
// At each point of a profile the parameters that may be 0 (formation constants and the ion
// size: those the optimum holds at 0, and those whose value 0 lies inside the threshold) are
// fitted free from a positive value (the middle of their scanned decades where they were
// 0), and also held at 0 where the optimum holds one there, the free fit took one below a
// tenth of its optimum value or lies outside the threshold; the lower sum of squares counts. A
// parameter on its logarithm only approaches 0, and the profile's bound is sensitive to the small
// rise that leaves.
//
// The search walks from the optimum in steps that double, on the scale the parameter is
// fitted on (the logarithm of a formation constant or of the ion size, MCA and MCX as
// they are), until the profile crosses the threshold, then narrows the crossing down by
// regula falsi (Illinois) on sqrt(S - S_min), which is nearly linear in that unknown, to
// 1e-7 of it. The range followed: a formation constant down to 1e-7 of its lowest scanned
// decade, where it no longer changes the calculation, and up to 1e7 times its highest;
// the ion size one decade beyond its scanned range each way (0.1 to 1000 Angstrom); MCA
// and MCX from 0 to 1000 times their value. Where the profile stays below the threshold to
// the end of that range, or to where the calculation fails, the data set no bound on that
// side: the bound is then not reached, and reads as 0 below (for the ion size, the limit of
// point charges) or as infinity above.

#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "fit/FitProblem.h"
#include "fit/LocalFit.h"

namespace condsim {

// A point that a profile met below the sum of squares of the optimum: the optimum was
// not the lowest, and the fit goes on from there.
struct LowerPoint {
    std::vector<ext> values;
    ext sumOfSquares = HUGE_VALL;
};

struct ProfileSearch {
    std::vector<ext> optimum;     // every parameter at the optimum
    std::vector<bool> free;       // the parameters fitted at the optimum
    ext optimumSum = 0;           // the sum of squares there
    ext threshold = 0;            // the sum of squares at the bound
    LowerPoint* lower = nullptr;  // where to keep the lowest point met, when given
    // The sum of squares at the point the walk starts from, when that is not the optimum
    // (another valley inside the threshold).
    std::optional<ext> startSum;
    // The free formation constants whose value 0 lies inside the threshold (the sum of
    // squares with the constant at 0, the others fitted, stays below it).
    std::vector<bool> zeroWithin;
};

struct ProfileBound {
    ext value = 0;
    bool reached = false;  // whether the profile crossed the threshold on that side
};

// The bound of parameter j below (direction -1) or above (+1) its optimum value; stepGuess
// is the first step on its unknown, such as the t-multiple of its standard error.
ProfileBound profileBound(const FitProblem& problem, const ProfileSearch& search, size_t j,
                          int direction, ext stepGuess, const LocalFitSettings& settings);

// The lowest and highest value of parameter j that its profile follows.
std::pair<ext, ext> profileSearchedValues(const FitProblem& problem, const ProfileSearch& search,
                                          size_t j);

// The upper bound of formation constant j held at 0 at the optimum.
ProfileBound profileBoundFromZero(const FitProblem& problem, const ProfileSearch& search, size_t j,
                                  const LocalFitSettings& settings);

}  // namespace condsim
