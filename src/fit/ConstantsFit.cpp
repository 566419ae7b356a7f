#include "fit/ConstantsFit.h"

#include <cmath>
#include <Eigen/Dense>
#include <unsupported/Eigen/NonLinearOptimization>
#include <unsupported/Eigen/NumericalDiff>

#include "core/CheckedArithmetic.h"
#include "core/Error.h"
#include "files/NumberText.h"
#include "fit/FitParameterisation.h"
#include "fit/FreeAnionNewton.h"
#include "fit/StudentT.h"
#include "model/FreeAnionSearch.h"

namespace condsim {

namespace {

using Vector = Eigen::Matrix<ext, Eigen::Dynamic, 1>;
using Matrix = Eigen::Matrix<ext, Eigen::Dynamic, Eigen::Dynamic>;

// The confidence level of the intervals.
constexpr double confidence = 0.95;

std::vector<ext> toVector(const Vector& v) { return std::vector<ext>(v.data(), v.data() + v.size()); }

// The first failure of the calculation during a fit; the optimiser is told to stop.
struct Failure {
    bool happened = false;
    std::string text;
};

// Residual j = calculated - observed conductivity at point j, the free anion from the
// fast solver. The functor interface of Eigen's NonLinearOptimization module.
class Residuals {
public:
    using Scalar = ext;
    using InputType = Vector;
    using ValueType = Vector;
    using JacobianType = Matrix;
    enum { InputsAtCompileTime = Eigen::Dynamic, ValuesAtCompileTime = Eigen::Dynamic };

    Residuals(const FitSystem& system, const FitParameterisation& parameterisation, Failure& failure)
        : system_(&system), parameterisation_(&parameterisation), failure_(&failure) {}

    int values() const { return static_cast<int>(system_->points.size()); }
    int inputs() const { return static_cast<int>(parameterisation_->size()); }

    int operator()(const Vector& unknowns, Vector& residuals) const {
        try {
            const CalculationConstants constants = parameterisation_->constantsAt(toVector(unknowns));
            residuals.resize(values());
            for (int j = 0; j < values(); ++j) {
                const ObservedPoint& point = system_->points[static_cast<size_t>(j)];
                residuals[j] = sub(conductivityOfPoint(*system_, constants, point.concentration, FreeAnionRoute::Fast),
                                   point.conductivity);
            }
            return 0;
        } catch (const Error& error) {
            if (!failure_->happened) *failure_ = {true, error.text()};
            return -1;
        }
    }

protected:
    const FitSystem* system_;
    const FitParameterisation* parameterisation_;
    Failure* failure_;
};

// Residuals with a forward-difference Jacobian that stops the optimiser when one of its
// evaluations failed (Eigen's NumericalDiff itself ignores the functor's answer).
class ResidualsWithJacobian : public Residuals {
public:
    using Residuals::Residuals;
    int df(const Vector& unknowns, Matrix& jacobian) const {
        const Eigen::NumericalDiff<Residuals> differences(static_cast<const Residuals&>(*this));
        const int evaluations = differences.df(unknowns, jacobian);
        return failure_->happened ? -1 : evaluations;
    }
};

std::string namesOf(const std::vector<FitParameter>& parameters) {
    std::string names;
    for (size_t j = 0; j < parameters.size(); ++j) {
        if (j > 0) names += j + 1 == parameters.size() ? " and " : ", ";
        names += fitParameterName(parameters[j]);
    }
    return names;
}

FitResult notConverged(FitResult result, std::string reason) {
    result.status = FitStatus::NotConverged;
    result.reason = std::move(reason);
    result.values.clear();
    result.correlation.clear();
    result.calculated.clear();
    result.stepwiseConstants.clear();
    return result;
}

bool converged(Eigen::LevenbergMarquardtSpace::Status status) {
    using namespace Eigen::LevenbergMarquardtSpace;
    switch (status) {
        case RelativeReductionTooSmall:
        case RelativeErrorTooSmall:
        case RelativeErrorAndReductionTooSmall:
        case CosinusTooSmall:
        // The tolerances asked for are below what the arithmetic resolves: the optimum
        // is reached as closely as it can be.
        case FtolTooSmall:
        case XtolTooSmall:
        case GtolTooSmall: return true;
        default: return false;
    }
}

// The calculated conductivities at the optimum by the calculation's own step search.
std::vector<ext> calculatedByStepSearch(const FitSystem& system, const CalculationConstants& constants) {
    std::vector<ext> calculated;
    for (const ObservedPoint& point : system.points) {
        calculated.push_back(conductivityOfPoint(system, constants, point.concentration, FreeAnionRoute::StepSearch));
    }
    return calculated;
}

}  // namespace

FitResult fitConstants(const FitSystem& system, const FitRequest& request) {
    FitResult result;
    result.n = system.n;
    result.pointCount = static_cast<int>(system.points.size());
    result.reason = FitParameterisation::refusal(system, request.parameters);
    if (!result.reason.empty()) return result;

    const FitParameterisation parameterisation(system, request.parameters);
    const int p = static_cast<int>(parameterisation.size());
    const int m = result.pointCount;
    Failure failure;
    ResidualsWithJacobian residuals(system, parameterisation, failure);
    Eigen::LevenbergMarquardt<ResidualsWithJacobian, ext> optimiser(residuals);
    optimiser.parameters.maxfev = request.options.maxEvaluations;
    optimiser.parameters.ftol = request.options.tolerance;
    optimiser.parameters.xtol = request.options.tolerance;
    optimiser.parameters.factor = request.options.initialStepBound;
    const std::vector<ext> start = parameterisation.start();
    Vector unknowns = Eigen::Map<const Vector>(start.data(), p);
    const auto status = optimiser.minimize(unknowns);
    result.iterations = static_cast<int>(optimiser.iter);
    result.evaluations = static_cast<int>(optimiser.nfev);

    if (failure.happened) return notConverged(result, "the calculation failed: " + failure.text);
    if (!converged(status)) {
        if (status == Eigen::LevenbergMarquardtSpace::TooManyFunctionEvaluation) {
            return notConverged(result, "no optimum within " + integerText(request.options.maxEvaluations) +
                                            " evaluations of the residuals");
        }
        return notConverged(result, "the optimiser stopped without an optimum (status " +
                                        integerText(static_cast<int>(status)) + ")");
    }

    // The optimum, its conductivities by the step search, and the Jacobian for the
    // covariance by central differences.
    CalculationConstants constants;
    Matrix jacobian(m, p);
    try {
        constants = parameterisation.constantsAt(toVector(unknowns));
        result.calculated = calculatedByStepSearch(system, constants);
        const Eigen::NumericalDiff<Residuals, Eigen::Central> differences(static_cast<const Residuals&>(residuals));
        differences.df(unknowns, jacobian);
        if (failure.happened) throw Error(failure.text);
    } catch (const Error& error) {
        return notConverged(result, "the calculation failed at the optimum: " + error.text());
    }
    ext sumOfSquares = 0;
    for (int j = 0; j < m; ++j) {
        const ext difference = sub(system.points[static_cast<size_t>(j)].conductivity,
                                   result.calculated[static_cast<size_t>(j)]);
        sumOfSquares = add(sumOfSquares, mul(difference, difference));
    }
    result.sumOfSquares = sumOfSquares;
    result.rmsResidual = squareRoot(div(sumOfSquares, toExt(m)));

    const Eigen::ColPivHouseholderQR<Matrix> qr(jacobian);
    if (!jacobian.allFinite() || qr.rank() < p) {
        return notConverged(result, "the observed data do not determine " + namesOf(request.parameters) +
                                        " separately (the Jacobian at the end has rank " +
                                        integerText(static_cast<int>(qr.rank())) + " of " + integerText(p) + ")");
    }
    // (J^T J)^-1 = P R^-1 R^-T P^T for J P = Q R.
    const Matrix R = qr.matrixR().topLeftCorner(p, p).triangularView<Eigen::Upper>();
    const Matrix inverseR = R.triangularView<Eigen::Upper>().solve(Matrix::Identity(p, p));
    const Matrix unscaled = qr.colsPermutation() * (inverseR * inverseR.transpose()) *
                            qr.colsPermutation().transpose();
    const int degreesOfFreedom = m - p;
    const ext variance = sumOfSquares / toExt(degreesOfFreedom);
    const ext t = studentTQuantile(0.5 + confidence / 2, degreesOfFreedom);

    for (int j = 0; j < p; ++j) {
        const FitParameter& parameter = request.parameters[static_cast<size_t>(j)];
        const ext unknown = unknowns[j];
        const ext spread = std::sqrt(variance * unscaled(j, j));  // standard error of the unknown
        FittedValue fitted{parameter, parameterisation.valueOf(static_cast<size_t>(j), unknown), 0, 0, 0};
        if (parameter.onLogarithmicScale()) {
            fitted.standardError = fitted.value * spread;
            fitted.lower = std::exp(unknown - t * spread);
            fitted.upper = std::exp(unknown + t * spread);
        } else {
            fitted.standardError = spread;
            fitted.lower = fitted.value - t * spread;
            fitted.upper = fitted.value + t * spread;
        }
        result.values.push_back(fitted);
    }
    // From the unscaled matrix, so that it is defined also for a sum of squares of 0.
    result.correlation.assign(static_cast<size_t>(p), std::vector<ext>(static_cast<size_t>(p)));
    for (int i = 0; i < p; ++i) {
        for (int j = 0; j < p; ++j) {
            result.correlation[static_cast<size_t>(i)][static_cast<size_t>(j)] =
                unscaled(i, j) / std::sqrt(unscaled(i, i) * unscaled(j, j));
        }
    }
    for (const FittedValue& fitted : result.values) {
        if (!isFiniteExt(fitted.value) || !isFiniteExt(fitted.standardError) || !isFiniteExt(fitted.lower) ||
            !isFiniteExt(fitted.upper)) {
            return notConverged(result, "the optimum of " + fitParameterName(fitted.parameter) +
                                            " is not a finite number");
        }
    }
    result.stepwiseConstants.assign(constants.K.begin() + 1, constants.K.begin() + 1 + system.n);
    result.MCA = constants.MCA;
    result.MCX = constants.MCX;
    result.ionSize = constants.ionSize;
    if (!system.solution.ideal()) {
        SolutionModel fitted = system.solution;
        fitted.ionSize = constants.ionSize;
        result.solutionModel = solutionModelDescription(fitted);
    }
    result.status = FitStatus::Converged;
    return result;
}

}  // namespace condsim
