#pragma once
// Whether a point where the optimiser stopped is an optimum of the sum of squares over the
// free parameters, judged from the residuals r and a central-difference Jacobian J there:
//
// - every free parameter changes the residuals, and none only in the way the others do
//   together: the column of J scaled to length 1 keeps an independent part above the
//   precision of J (1e-8) in a column-pivoting QR;
// - the gradient of the sum of squares, 2 J^T r, is zero to within its precision: for each
//   free parameter |J_j . r| <= 1e-7 |J_j| |r| + 1e-15 |J_j| x (length of the weighted
//   observations). The first term is what the position of an optimum is resolved to by
//   the optimiser's stopping rule and the precision of J; the second is the precision of
//   the calculated conductivities, which rules when the residuals are nearly 0.
//
// A free parameter whose column, times the difference step, stays below the precision of
// the calculated conductivities changes nothing that can be measured there (a formation
// constant many decades below where its species forms): the check names it among those
// without effect and finds the rank lost, since its column is rounding noise.
//
// At an optimum it also gives (J^T J)^-1, from which the covariance follows.

#include <string>
#include <vector>

#include "fit/FitProblem.h"

namespace condsim {

struct OptimumCheck {
    enum class Verdict { Optimum, RankLost, GradientNotZero, CalculationFailed };
    Verdict verdict = Verdict::CalculationFailed;
    std::string failure;                // the calculation's error text when CalculationFailed
    int rank = 0;                       // of the scaled Jacobian, when RankLost
    size_t steepest = 0;                // the parameter whose gradient is furthest from zero
    ext gradient = 0;                   // d (sum of squares) / d (its unknown)
    std::vector<size_t> free;           // the free parameters, in the order of the matrix below
    std::vector<size_t> withoutEffect;  // free parameters whose column is rounding noise
    std::vector<std::vector<ext>> inverseNormal;  // (J^T J)^-1 at an optimum
    std::vector<ext> residuals;                   // r at the point

    bool isOptimum() const { return verdict == Verdict::Optimum; }
};

OptimumCheck checkOptimum(const FitProblem& problem, const std::vector<ext>& values,
                          const std::vector<bool>& free);

}  // namespace condsim
