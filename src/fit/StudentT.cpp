#include "fit/StudentT.h"

#include <cmath>
#include <unsupported/Eigen/SpecialFunctions>

namespace condsim {

double studentTQuantile(double probability, int degreesOfFreedom) {
    // For t > 0, P(T > t) = I_x(nu/2, 1/2) / 2 with x = nu / (nu + t^2), and I_x rises with
    // x: find the x where I_x = 2 (1 - probability), then t = sqrt(nu (1 - x) / x).
    const double nu = degreesOfFreedom;
    const double target = 2 * (1 - probability);
    double low = 0;
    double high = 1;
    for (int pass = 0; pass < 200 && high - low > 1e-17; ++pass) {
        const double middle = (low + high) / 2;
        (Eigen::numext::betainc(nu / 2, 0.5, middle) < target ? low : high) = middle;
    }
    const double x = (low + high) / 2;
    return std::sqrt(nu * (1 - x) / x);
}

double fDistributionUpperTail(double f, int d1, int d2) {
    // P(F > f) = I_x(d2/2, d1/2) with x = d2 / (d2 + d1 f).
    return Eigen::numext::betainc(d2 / 2.0, d1 / 2.0, d2 / (d2 + d1 * f));
}

}  // namespace condsim
