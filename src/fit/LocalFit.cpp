#include "fit/LocalFit.h"

#include <Eigen/Dense>
#include <unsupported/Eigen/NonLinearOptimization>
#include <unsupported/Eigen/NumericalDiff>

#include "core/Error.h"

namespace condsim {

namespace {

using Vector = Eigen::Matrix<ext, Eigen::Dynamic, 1>;
using Matrix = Eigen::Matrix<ext, Eigen::Dynamic, Eigen::Dynamic>;

// The residuals as a function of the free unknowns, the functor interface of Eigen's
// NonLinearOptimization module. The first failure of the calculation is kept and the
// optimiser told to stop.
class FreeResiduals {
  public:
    using Scalar = ext;
    using InputType = Vector;
    using ValueType = Vector;
    using JacobianType = Matrix;
    enum { InputsAtCompileTime = Eigen::Dynamic, ValuesAtCompileTime = Eigen::Dynamic };

    FreeResiduals(const LeastSquaresProblem& problem, std::vector<ext> values,
                  const std::vector<bool>& free)
        : problem_(&problem), values_(std::move(values)) {
        for (size_t j = 0; j < free.size(); ++j) {
            if (free[j]) indices_.push_back(j);
        }
    }

    int values() const { return problem_->pointCount; }
    int inputs() const { return static_cast<int>(indices_.size()); }

    Vector start() const {
        Vector unknowns(inputs());
        for (int k = 0; k < inputs(); ++k) {
            const size_t j = indices_[static_cast<size_t>(k)];
            unknowns[k] = problem_->unknownOf ? problem_->unknownOf(j, values_[j]) : values_[j];
        }
        return unknowns;
    }

    std::vector<ext> valuesAt(const Vector& unknowns) const {
        std::vector<ext> values = values_;
        for (int k = 0; k < inputs(); ++k) {
            const size_t j = indices_[static_cast<size_t>(k)];
            values[j] = problem_->valueOf ? problem_->valueOf(j, unknowns[k]) : unknowns[k];
        }
        return values;
    }

    int operator()(const Vector& unknowns, Vector& residuals) const {
        try {
            const std::vector<ext> r = problem_->residuals(valuesAt(unknowns));
            residuals = Eigen::Map<const Vector>(r.data(), static_cast<Eigen::Index>(r.size()));
            return 0;
        } catch (const Error& error) {
            if (failure_->empty()) *failure_ = error.text();
            return -1;
        }
    }

    // A forward-difference Jacobian that stops the optimiser when one of its evaluations
    // failed (Eigen's NumericalDiff itself ignores the functor's answer).
    int df(const Vector& unknowns, Matrix& jacobian) const {
        const Eigen::NumericalDiff<FreeResiduals> differences(*this);
        const int evaluations = differences.df(unknowns, jacobian);
        return failure_->empty() ? evaluations : -1;
    }

    void reportFailuresTo(std::string& failure) { failure_ = &failure; }

  private:
    const LeastSquaresProblem* problem_;
    std::vector<ext> values_;
    std::vector<size_t> indices_;
    std::string* failure_ = nullptr;
};

}  // namespace

LocalFit minimiseLocally(const LeastSquaresProblem& problem, std::vector<ext> values,
                         const std::vector<bool>& free, const LocalFitSettings& settings) {
    LocalFit fit;
    FreeResiduals residuals(problem, std::move(values), free);
    residuals.reportFailuresTo(fit.failure);
    Vector unknowns = residuals.start();
    if (residuals.inputs() > 0) {
        Eigen::LevenbergMarquardt<FreeResiduals, ext> optimiser(residuals);
        optimiser.parameters.maxfev = settings.maxEvaluations;
        optimiser.parameters.ftol = settings.tolerance;
        optimiser.parameters.xtol = settings.tolerance;
        optimiser.parameters.factor = settings.initialStepBound;
        const auto status = optimiser.minimize(unknowns);
        fit.iterations = static_cast<int>(optimiser.iter);
        if (status == Eigen::LevenbergMarquardtSpace::TooManyFunctionEvaluation) {
            fit.outcome = LocalFit::Outcome::OutOfEvaluations;
        }
    }
    if (fit.failure.empty()) {
        try {
            fit.values = residuals.valuesAt(unknowns);
            fit.sumOfSquares = FitProblem::sumOfSquaresOf(problem.residuals(fit.values));
        } catch (const Error& error) {
            fit.failure = error.text();
        }
    }
    if (!fit.failure.empty()) fit.outcome = LocalFit::Outcome::Failed;
    return fit;
}

LocalFit fitLocally(const FitProblem& problem, std::vector<ext> values,
                    const std::vector<bool>& free, const LocalFitSettings& settings) {
    const FitParameterisation& parameterisation = problem.parameterisation();
    const LeastSquaresProblem squares{
        problem.pointCount(), [&](const std::vector<ext>& at) { return problem.residuals(at); },
        [&](size_t j, ext value) { return parameterisation.unknownOf(j, value); },
        [&](size_t j, ext unknown) { return parameterisation.valueOf(j, unknown); }};
    const int before = problem.evaluations();
    LocalFit fit = minimiseLocally(squares, std::move(values), free, settings);
    fit.evaluations = problem.evaluations() - before;
    return fit;
}

}  // namespace condsim
