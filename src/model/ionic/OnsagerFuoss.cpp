#include "model/ionic/OnsagerFuoss.h"

#include <Eigen/Dense>
#include <cmath>
#include <cstdlib>

namespace condsim {

namespace {

using Matrix = Eigen::Matrix<ext, Eigen::Dynamic, Eigen::Dynamic>;
using Vector = Eigen::Matrix<ext, Eigen::Dynamic, 1>;

// The share mu_j below which an ion is left out of the relaxation field.
constexpr ext negligibleShare = 1e-30L;

}  // namespace

std::vector<ext> relaxationFields(const std::vector<Ion>& ions) {
    ext twiceStrength = 0;
    for (const Ion& ion : ions) {
        const ext z = ion.charge;
        twiceStrength += ion.concentration * z * z;
    }
    // Ions of a negligible share take no part: their field would be divided by the root
    // of their share, and their own contribution to the conductivity is below the last
    // digit anyway.
    std::vector<size_t> present;
    for (size_t j = 0; j < ions.size(); ++j) {
        const ext z = ions[j].charge;
        if (ions[j].concentration * z * z > negligibleShare * twiceStrength) present.push_back(j);
    }
    const auto count = static_cast<Eigen::Index>(present.size());
    Vector mu(count);
    Vector w(count);
    Vector z(count);
    for (Eigen::Index j = 0; j < count; ++j) {
        const Ion& ion = ions[present[static_cast<size_t>(j)]];
        z(j) = ion.charge;
        mu(j) = ion.concentration * z(j) * z(j) / twiceStrength;
        w(j) = ion.limitingConductivity / std::abs(ion.charge);
    }
    const Vector m = mu.cwiseProduct(w);
    const Vector rootM = m.cwiseSqrt();

    // The symmetric form of H: sqrt(m_j m_k) / (w_j + w_k) off the diagonal; on it
    // h_jj + sum_k h_jk, with h_jk = m_k / (w_j + w_k).
    Matrix symmetric(count, count);
    for (Eigen::Index j = 0; j < count; ++j) {
        ext rowSum = 0;
        for (Eigen::Index k = 0; k < count; ++k) {
            rowSum += m(k) / (w(j) + w(k));
            symmetric(j, k) = rootM(j) * rootM(k) / (w(j) + w(k));
        }
        symmetric(j, j) += rowSum;
    }
    const Eigen::SelfAdjointEigenSolver<Matrix> eigen(symmetric);
    const Matrix root = eigen.eigenvectors() * eigen.eigenvalues().cwiseSqrt().asDiagonal() *
                        eigen.eigenvectors().transpose();

    const ext weighted = z.cwiseProduct(mu).sum() / mu.cwiseQuotient(w).sum();
    Vector r0(count);
    for (Eigen::Index j = 0; j < count; ++j) r0(j) = z(j) - weighted / w(j);
    // F = M^(-1/2) (1 - S) M^(1/2) r0 for the square root S of the symmetric form.
    const Vector scaled = rootM.cwiseProduct(r0);
    const Vector field = (scaled - root * scaled).cwiseQuotient(rootM);

    std::vector<ext> fields(ions.size(), 0);
    for (Eigen::Index j = 0; j < count; ++j) fields[present[static_cast<size_t>(j)]] = field(j);
    return fields;
}

ext screenedRootStrength(const SolventCoefficients& coefficients, ext ionSize, ext ionicStrength) {
    const ext root = std::sqrt(ionicStrength);
    return root / (1 + coefficients.B * ionSize * root);
}

std::vector<ConductanceFactors> conductanceFactors(const std::vector<Ion>& ions,
                                                   const SolventCoefficients& coefficients,
                                                   ext ionSize, ext ionicStrength) {
    const std::vector<ext> fields = relaxationFields(ions);
    const ext s = screenedRootStrength(coefficients, ionSize, ionicStrength);
    std::vector<ConductanceFactors> factors;
    factors.reserve(ions.size());
    for (size_t j = 0; j < ions.size(); ++j) {
        const ext z = ions[j].charge;
        factors.push_back({ions[j].limitingConductivity - coefficients.E * std::fabs(z) * s,
                           1 - coefficients.R * z * fields[j] * s});
    }
    return factors;
}

std::vector<ext> ionConductances(const std::vector<Ion>& ions,
                                 const SolventCoefficients& coefficients, ext ionSize,
                                 ext ionicStrength) {
    std::vector<ext> conductances;
    for (const ConductanceFactors& f :
         conductanceFactors(ions, coefficients, ionSize, ionicStrength))
        conductances.push_back(f.electrophoretic * f.relaxation);
    return conductances;
}

}  // namespace condsim
