#pragma once
// One run of Eigen's Levenberg-Marquardt (MINPACK's lmder with a forward-difference
// Jacobian) over some of the parameters of a fit problem, the others held at their
// values. It stops on a small relative reduction of the sum of squares or a small
// relative step; whether the point where it stopped is an optimum is for checkOptimum
// to say.

#include <functional>
#include <string>
#include <vector>

#include "fit/FitProblem.h"

namespace condsim {

struct LocalFitSettings {
    int maxEvaluations = 2000;    // evaluations of all residuals, the Jacobian's included
    ext tolerance = 1e-14L;       // relative reduction of the sum of squares, relative step
    ext initialStepBound = 0.1L;  // MINPACK's "factor"
};

struct LocalFit {
    enum class Outcome { Stopped, OutOfEvaluations, Failed };
    Outcome outcome = Outcome::Stopped;
    std::string failure;      // the calculation's error text when Failed
    std::vector<ext> values;  // every parameter; the held ones as given
    ext sumOfSquares = 0;     // at values; meaningless when Failed
    int iterations = 0;
    int evaluations = 0;
};

// A least-squares problem as the optimiser sees it: the residuals at the values of every
// parameter (throwing Error where the calculation fails), and the map between a value and
// the unknown the optimiser moves (the value itself where no map is given).
struct LeastSquaresProblem {
    int pointCount = 0;
    std::function<std::vector<ext>(const std::vector<ext>& values)> residuals;
    std::function<ext(size_t j, ext value)> unknownOf;
    std::function<ext(size_t j, ext unknown)> valueOf;
};

// free[j] says whether parameter j is adjusted. With nothing free, the values are only
// evaluated. The evaluations are left at 0: the problem's residuals count their own.
LocalFit minimiseLocally(const LeastSquaresProblem& problem, std::vector<ext> values,
                         const std::vector<bool>& free, const LocalFitSettings& settings);

// The same for a fit problem, in its parameterisation's unknowns, with its evaluations.
LocalFit fitLocally(const FitProblem& problem, std::vector<ext> values,
                    const std::vector<bool>& free, const LocalFitSettings& settings);

}  // namespace condsim
