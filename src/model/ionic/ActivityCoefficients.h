#pragma once
// Activity coefficients of the ionic-strength model. Both laws have the form
// log10 g_z = z^2 L(I), so one number per ionic strength gives the coefficient of every
// charge:
//   extended Debye-Hueckel  L = -A sqrt(I) / (1 + B a sqrt(I))    (a in Angstrom)
//   Davies                  L = -A ( sqrt(I) / (1 + sqrt(I)) - 0.3 I )
// I in mol/L.
// Equations: docs/solution-model.md, "The ionic-strength solution model".

#include "core/Ext.h"
#include "model/SolutionModel.h"
#include "model/ionic/Solvent.h"

namespace condsim {

struct ActivityLaw {
    SolutionModelKind kind = SolutionModelKind::DebyeHuckel;  // Ideal gives L = 0
    SolventCoefficients coefficients;
    ext ionSize = defaultIonSize;  // Angstrom, used by Debye-Hueckel only

    // L(I) = log10 g_z / z^2.
    ext log10PerChargeSquared(ext ionicStrength) const;
};

}  // namespace condsim
