#pragma once
// One run of Eigen's Levenberg-Marquardt (MINPACK's lmder with a forward-difference
// Jacobian) over some of the parameters of a fit problem, the others held at their
// values. It stops on a small relative reduction of the sum of squares or a small
// relative step; whether the point where it stopped is an optimum is for checkOptimum
// to say.

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

// free[j] says whether parameter j is adjusted. With nothing free, the values are only
// evaluated.
LocalFit fitLocally(const FitProblem& problem, std::vector<ext> values,
                    const std::vector<bool>& free, const LocalFitSettings& settings);

}  // namespace condsim
