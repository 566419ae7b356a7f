#include "ReferenceSweep.h"

#include <cmath>

namespace condsim::bench {

namespace {

ext leftSide(int n, ext C0, ext X) { return (static_cast<ext>(n) * C0 - X) / C0; }

ext rightSide(int n, const SpeciesArray& beta, ext X) {
    ext numerator = beta[1] * X;
    for (int i = 2; i <= n; ++i) {
        ext term = static_cast<ext>(i) * beta[i];
        for (int j = 0; j < i; ++j) term = term * X;
        numerator = numerator + term;
    }
    ext denominator = beta[1] * X + 1;
    for (int i = 2; i <= n; ++i) {
        ext term = beta[i];
        for (int j = 0; j < i; ++j) term = term * X;
        denominator = denominator + term;
    }
    return numerator / denominator;
}

}  // namespace

ReferencePoint referenceSolve(const ReferenceSystem& system, ext C0) {
    const int n = system.n;
    const SpeciesArray& beta = system.beta;
    ReferencePoint point;

    ext X = static_cast<ext>(n) * C0 * 0.999999999999999999L;
    ext d = leftSide(n, C0, X) - rightSide(n, beta, X);
    ext step = 0.001L * X;
    ext direction = -1;
    for (;;) {
        const ext previous = d;
        while (!(step * direction + X > 0) && X > 0) step = step * 0.7L;
        X = step * direction + X;
        d = leftSide(n, C0, X) - rightSide(n, beta, X);
        if (d * previous < 0 || std::fabs(d) > std::fabs(previous)) {
            step = step * 0.7L;
            direction = direction * -1;
        }
        if (std::fabs(previous - d) < 1e-14L) break;
    }
    point.freeAnion = X;
    point.leftSide = leftSide(n, C0, X);
    point.rightSide = rightSide(n, beta, X);

    const ext anionPart = system.MCX * X;
    ext denominator = 1;
    for (int i = 1; i <= n; ++i) {
        ext term = beta[i];
        for (int j = 0; j < i; ++j) term = term * X;
        denominator = denominator + term;
    }
    ext charged = static_cast<ext>(n) * system.sf[0];
    for (int i = 1; i <= n - 1; ++i) {
        ext term = static_cast<ext>(n - i) * system.sf[i] * beta[i];
        for (int j = 0; j < i; ++j) term = term * X;
        charged = charged + term;
    }
    point.conductivity = system.MCA * C0 * charged / denominator + anionPart;

    point.abundance[0] = 100 / denominator;
    for (int i = 1; i <= n; ++i) {
        ext term = beta[i];
        for (int j = 0; j < i; ++j) term = term * X;
        point.abundance[i] = term * 100 / denominator;
    }
    for (int i = 0; i <= n; ++i) point.speciesConcentration[i] = C0 * point.abundance[i] / 100;
    return point;
}

std::vector<ext> sweepConcentrations(ext xmin, ext xmax, int points) {
    std::vector<ext> concentrations;
    concentrations.reserve(static_cast<size_t>(points));
    const ext span = xmax - xmin;
    const ext divisions = static_cast<ext>(points + 1);
    for (int k = 1; k <= points; ++k)
        concentrations.push_back(static_cast<ext>(k) * span / divisions + xmin);
    return concentrations;
}

}  // namespace condsim::bench
