#include "fit/VantHoff.h"

#include <Eigen/Dense>
#include <cmath>

#include "files/NumberText.h"
#include "fit/StudentT.h"

namespace condsim {

namespace {

using Vector = Eigen::Matrix<ext, Eigen::Dynamic, 1>;
using Matrix = Eigen::Matrix<ext, Eigen::Dynamic, Eigen::Dynamic>;

// The columns of the design at T: -1/(R T) per kJ/mol, 1/R, and the dCp term.
std::vector<ext> designRow(ext temperature, bool withHeatCapacity) {
    const ext T0 = seriesReferenceTemperature;
    std::vector<ext> row{-1000 / (gasConstant * temperature), 1 / gasConstant};
    if (withHeatCapacity)
        row.push_back((T0 / temperature - 1 + std::log(temperature / T0)) / gasConstant);
    return row;
}

std::string leftOutLine(const SeriesFit& fit, const std::string& why) {
    return fit.where + " (" + NumberText(fit.temperature, '.') + " K): " + why;
}

}  // namespace

ext vantHoffLnK(ext temperature, ext enthalpy, ext entropy, ext heatCapacity) {
    const std::vector<ext> row = designRow(temperature, true);
    return row[0] * enthalpy + row[1] * entropy + row[2] * heatCapacity;
}

std::vector<VantHoffPoint> vantHoffPoints(const std::vector<SeriesFit>& fits,
                                          std::vector<std::string>& leftOut) {
    std::vector<VantHoffPoint> points;
    for (const SeriesFit& fit : fits) {
        if (!fit.fitted()) {
            leftOut.push_back(leftOutLine(fit, "no fit"));
            continue;
        }
        const FittedValue* K1 = fittedValueOf(fit.result, FitParameter::stepwiseConstant(1));
        if (K1 == nullptr) {
            leftOut.push_back(leftOutLine(fit, "K1 is not fitted"));
        } else if (K1->state == FittedState::AtZero) {
            leftOut.push_back(leftOutLine(fit, "K1 = 0"));
        } else if (K1->state != FittedState::Estimated) {
            leftOut.push_back(leftOutLine(fit, "K1 is not determined"));
        } else if (!K1->hasProfile || !(K1->profileLower > 0) || !std::isfinite(K1->profileUpper)) {
            leftOut.push_back(leftOutLine(fit, "K1 has no two-sided profile interval"));
        } else {
            const int freedom = fit.result.pointCount - static_cast<int>(fit.result.values.size());
            const ext t = studentTQuantile(0.975, freedom);
            const ext sigma = (std::log(K1->profileUpper) - std::log(K1->profileLower)) / (2 * t);
            points.push_back({fit.where, fit.temperature, std::log(K1->value), sigma});
        }
    }
    return points;
}

VantHoffResult vantHoffFit(const std::vector<VantHoffPoint>& points, bool withHeatCapacity) {
    VantHoffResult result;
    result.points = points;
    const auto N = static_cast<int>(points.size());
    if (N < 2) {
        result.refusal = "The van 't Hoff fit needs K1 at two or more temperatures; " +
                         std::string(N == 0 ? "no temperature has" : "one temperature has") +
                         " a usable K1";
        return result;
    }
    if (withHeatCapacity && N < 5) {
        result.note = "dCp needs K1 at five or more temperatures (" + std::to_string(N) +
                      " here): fitted without it";
        withHeatCapacity = false;
    }
    result.withHeatCapacity = withHeatCapacity;
    const int q = withHeatCapacity ? 3 : 2;
    Matrix X(N, q);
    Vector y(N);
    for (int i = 0; i < N; ++i) {
        const VantHoffPoint& point = points[static_cast<size_t>(i)];
        const std::vector<ext> row = designRow(point.temperature, withHeatCapacity);
        for (int k = 0; k < q; ++k) X(i, k) = row[static_cast<size_t>(k)] / point.sigma;
        y[i] = point.lnK / point.sigma;
    }
    // Least squares through the QR of the weighted design; (X^T W X)^-1 from R.
    const Eigen::ColPivHouseholderQR<Matrix> qr(X);
    const Vector beta = qr.solve(y);
    const Matrix inverse = (X.transpose() * X).inverse();
    result.chiSquare = (X * beta - y).squaredNorm();
    result.degreesOfFreedom = N - q;
    ext scale = 1;
    ext quantile = 1.959963984540054L;
    if (result.degreesOfFreedom > 0) {
        result.scaledByChiSquare = true;
        scale = result.chiSquare / result.degreesOfFreedom;
        quantile = studentTQuantile(0.975, result.degreesOfFreedom);
    }
    const Matrix covariance = inverse * scale;
    const auto estimate = [&](ext value, ext variance) {
        const ext error = std::sqrt(variance);
        return VantHoffEstimate{value, error, value - quantile * error, value + quantile * error};
    };
    result.enthalpy = estimate(beta[0], covariance(0, 0));
    result.entropy = estimate(beta[1], covariance(1, 1));
    if (withHeatCapacity) result.heatCapacity = estimate(beta[2], covariance(2, 2));
    // dG = dH - T dS (dS in J, so /1000 for kJ).
    const ext T = seriesReferenceTemperature / 1000;
    result.gibbs = estimate(beta[0] - T * beta[1],
                            covariance(0, 0) + T * T * covariance(1, 1) - 2 * T * covariance(0, 1));
    return result;
}

VantHoffResult vantHoffAnalysis(const std::vector<SeriesFit>& fits, bool withHeatCapacity) {
    std::vector<std::string> leftOut;
    const std::vector<VantHoffPoint> points = vantHoffPoints(fits, leftOut);
    VantHoffResult result = vantHoffFit(points, withHeatCapacity);
    result.leftOut = std::move(leftOut);
    return result;
}

}  // namespace condsim
