#pragma once
// The conductances of the ions of a mixture at ionic strength I (Onsager and Fuoss, 1932):
// the electrophoretic term and the relaxation field of each charged species j.
//   mu_j = c_j z_j^2 / (2 I),  w_j = lambda0_j / |z_j|,  h_jk = mu_k w_k / (w_j + w_k),
//   H = h + diag(row sums of h),
//   r0_j = z_j - ( sum_k z_k mu_k / sum_k mu_k / w_k ) / w_j,
//   F = (1 - H^(1/2)) r0, with the principal square root of H,
//   lambda_j = (lambda0_j - E |z_j| s) (1 - R z_j F_j s),  s = sqrt(I) / (1 + B a sqrt(I)),
//   kappa = sum_j |z_j| c_j lambda_j.
// lambda0_j is the limiting equivalent conductivity; concentrations in mol/L.
//
// H is not symmetric, but with m_j = mu_j w_j the matrix M^(1/2) H M^(-1/2) is, with
// elements sqrt(m_j m_k) / (w_j + w_k) off the diagonal: its eigenvalues are positive, and
// its square root from the symmetric eigen-decomposition gives H^(1/2) exactly (to the
// arithmetic's rounding), without the six-term series of the original paper.
// Equations: docs/solution-model.md, "The ionic-strength solution model".

#include <vector>

#include "core/Ext.h"
#include "model/ionic/Solvent.h"

namespace condsim {

struct Ion {
    ext concentration = 0;         // c_j, mol/L
    int charge = 0;                // z_j, not 0
    ext limitingConductivity = 0;  // lambda0_j > 0, per equivalent
};

// F_j for each ion (ions of zero concentration get 0). Requires positive limiting
// conductivities and at least one ion of positive concentration.
std::vector<ext> relaxationFields(const std::vector<Ion>& ions);

// s = sqrt(I) / (1 + B a sqrt(I)).
ext screenedRootStrength(const SolventCoefficients& coefficients, ext ionSize, ext ionicStrength);

// The two factors of lambda_j = (lambda0_j - E |z_j| s) (1 - R z_j F_j s).
struct ConductanceFactors {
    ext electrophoretic = 0;  // lambda0_j - E |z_j| s
    ext relaxation = 0;       // 1 - R z_j F_j s
};
std::vector<ConductanceFactors> conductanceFactors(const std::vector<Ion>& ions,
                                                   const SolventCoefficients& coefficients,
                                                   ext ionSize, ext ionicStrength);

// lambda_j of each ion at ionic strength I.
std::vector<ext> ionConductances(const std::vector<Ion>& ions,
                                 const SolventCoefficients& coefficients, ext ionSize,
                                 ext ionicStrength);

}  // namespace condsim
