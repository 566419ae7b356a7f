#include "fit/OptimumCheck.h"

#include <Eigen/Dense>
#include <cmath>

#include "core/CheckedArithmetic.h"
#include "core/Error.h"

namespace condsim {

namespace {

using Vector = Eigen::Matrix<ext, Eigen::Dynamic, 1>;
using Matrix = Eigen::Matrix<ext, Eigen::Dynamic, Eigen::Dynamic>;

// The relative precision of the Jacobian: a column whose part independent of the others
// is smaller than this has lost rank.
constexpr ext jacobianPrecision = 1e-8L;
// How far from orthogonal to the residuals a column may be at an optimum: the resolution
// of its position, given the precision of the Jacobian and the optimiser's stopping rule.
constexpr ext positionPrecision = 1e-7L;
// The relative precision of a calculated conductivity, generously.
constexpr ext residualPrecision = 1e-15L;

// The step of the central differences on the unknown u of a parameter: the one that
// balances truncation and rounding (eps^(1/3)).
ext differenceStep(ext unknown) {
    return std::cbrt(LDBL_EPSILON) * std::max<ext>(std::fabs(unknown), 1);
}

// Column j of the Jacobian of the residuals with respect to the unknown of parameter j, by
// central differences.
Vector centralDifference(const FitProblem& problem, const std::vector<ext>& values, size_t j) {
    const FitParameterisation& parameterisation = problem.parameterisation();
    const ext unknown = parameterisation.unknownOf(j, values[j]);
    const ext step = differenceStep(unknown);
    std::vector<ext> above = values;
    std::vector<ext> below = values;
    above[j] = parameterisation.valueOf(j, unknown + step);
    below[j] = parameterisation.valueOf(j, unknown - step);
    const std::vector<ext> ra = problem.residuals(above);
    const std::vector<ext> rb = problem.residuals(below);
    Vector column(static_cast<Eigen::Index>(ra.size()));
    for (size_t i = 0; i < ra.size(); ++i)
        column[static_cast<Eigen::Index>(i)] = (ra[i] - rb[i]) / (2 * step);
    return column;
}

}  // namespace

OptimumCheck checkOptimum(const FitProblem& problem, const std::vector<ext>& values,
                          const std::vector<bool>& free) {
    OptimumCheck check;
    for (size_t j = 0; j < free.size(); ++j) {
        if (free[j]) check.free.push_back(j);
    }
    const auto p = static_cast<Eigen::Index>(check.free.size());
    const Eigen::Index m = problem.pointCount();
    if (p == 0) {
        // Nothing is adjusted (every fitted constant at 0): the point is what it is.
        try {
            check.residuals = problem.residuals(values);
            check.verdict = OptimumCheck::Verdict::Optimum;
        } catch (const Error& error) {
            check.failure = error.text();
        }
        return check;
    }
    Matrix jacobian(m, p);
    try {
        check.residuals = problem.residuals(values);
        for (Eigen::Index k = 0; k < p; ++k)
            jacobian.col(k) =
                centralDifference(problem, values, check.free[static_cast<size_t>(k)]);
    } catch (const Error& error) {
        check.failure = error.text();
        return check;
    }
    if (!jacobian.allFinite()) {
        check.failure = "the derivatives of the residuals are not finite numbers";
        return check;
    }
    const Vector r = Eigen::Map<const Vector>(check.residuals.data(), m);
    const ext residualLength = r.norm();

    // Rank of the Jacobian with its columns scaled to length 1.
    Vector lengths(p);
    Matrix scaled = jacobian;
    for (Eigen::Index k = 0; k < p; ++k) {
        lengths[k] = jacobian.col(k).norm();
        if (lengths[k] > 0) scaled.col(k) /= lengths[k];
    }
    // A column whose change over the difference step is below the precision of the
    // residuals is noise: its direction, and so the gradient's sign, mean nothing.
    const ext noise = residualPrecision * problem.observedScale();
    for (Eigen::Index k = 0; k < p; ++k) {
        const size_t j = check.free[static_cast<size_t>(k)];
        const ext step = differenceStep(problem.parameterisation().unknownOf(j, values[j]));
        if (!(lengths[k] * step > noise)) check.withoutEffect.push_back(j);
    }
    if (!check.withoutEffect.empty()) {
        check.verdict = OptimumCheck::Verdict::RankLost;
        check.rank = static_cast<int>(p - static_cast<Eigen::Index>(check.withoutEffect.size()));
        return check;
    }
    Eigen::ColPivHouseholderQR<Matrix> qr(scaled);
    qr.setThreshold(jacobianPrecision);
    check.rank = static_cast<int>(qr.rank());
    if (check.rank < p) {
        check.verdict = OptimumCheck::Verdict::RankLost;
        return check;
    }

    // The gradient, component by component, against its precision.
    ext worst = -1;
    for (Eigen::Index k = 0; k < p; ++k) {
        const ext component = jacobian.col(k).dot(r);
        const ext allowed = lengths[k] * (positionPrecision * residualLength +
                                          residualPrecision * problem.observedScale());
        const ext excess = std::fabs(component) / allowed;
        if (excess > worst) {
            worst = excess;
            check.steepest = check.free[static_cast<size_t>(k)];
            check.gradient = 2 * component;
        }
    }
    if (worst > 1) {
        check.verdict = OptimumCheck::Verdict::GradientNotZero;
        return check;
    }

    // (J^T J)^-1 = D^-1 P R^-1 R^-T P^T D^-1 for J D^-1 P = Q R.
    const Matrix R = qr.matrixR().topLeftCorner(p, p).triangularView<Eigen::Upper>();
    const Matrix inverseR = R.triangularView<Eigen::Upper>().solve(Matrix::Identity(p, p));
    const Matrix scaledInverse =
        qr.colsPermutation() * (inverseR * inverseR.transpose()) * qr.colsPermutation().transpose();
    check.inverseNormal.assign(static_cast<size_t>(p), std::vector<ext>(static_cast<size_t>(p)));
    for (Eigen::Index i = 0; i < p; ++i) {
        for (Eigen::Index k = 0; k < p; ++k) {
            check.inverseNormal[static_cast<size_t>(i)][static_cast<size_t>(k)] =
                scaledInverse(i, k) / (lengths[i] * lengths[k]);
        }
    }
    check.verdict = OptimumCheck::Verdict::Optimum;
    return check;
}

}  // namespace condsim
