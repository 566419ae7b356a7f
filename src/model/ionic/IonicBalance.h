#pragma once
// The species of AXn at total concentration C0 when the constants of the table are
// thermodynamic. At ionic strength I, with g_z the activity coefficient of charge z,
//   [AX_i] = C0 beta'_i X^i / D,   beta'_i = beta_i g_n g_1^i / g_(n-i),
//   D = 1 + sum beta'_i X^i,
// and X = [X-] is the root in 0 < X < n C0 of the free-anion balance
//   (n C0 - X) / C0 = sum i beta'_i X^i / D.
// I = 1/2 ( sum over i < n of (n - i)^2 [AX_i] + X ) depends on the species, so X and I are
// solved together: the balance by bracketed Newton steps at each I, and I by bracketed
// secant steps on G(I) = I(species at I) - I, until I reproduces itself to 1e-16 relative.
// G may have several roots (strong association, low permittivity): G is sampled over the
// whole range 0 .. n (n + 1) C0 / 2 for its sign changes, each is settled, and the lowest
// root is taken, the branch continuous from C0 -> 0.
// All in extended precision.
// Equations: docs/solution-model.md, "The ionic-strength solution model".

#include <vector>

#include "core/Ext.h"
#include "model/EquilibriumModel.h"
#include "model/ionic/ActivityCoefficients.h"

namespace condsim {

struct IonicSpeciation {
    ext X = 0;                        // [X-], mol/L
    ext ionicStrength = 0;            // mol/L
    ext log10PerChargeSquared = 0;    // L(I): log10 g_z = z^2 L
    std::vector<ext> concentrations;  // [AX_0] .. [AX_n], mol/L
    ext meanBound = 0;                // sum i [AX_i] / C0, the mean number of bound anions
    // Every ionic strength that reproduces itself at this C0, ascending; ionicStrength is
    // the first, the root continuous from infinite dilution. One in most settings.
    std::vector<ext> ionicStrengths;
};

// The root X of the balance for the constants beta'(1..n) given (beta'(0) = 1), within
// [0, n C0]. Requires C0 > 0 and beta'(i) >= 0. Throws Error when it does not settle.
ext freeAnionOfBalance(int n, const SpeciesArray& constants, ext C0);

// Which roots of the ionic balance are looked for: every one, with the lowest taken (the
// calculation), or the first the bracketed secant steps settle on, which is the only one
// in all but rare settings (the residuals inside a fit's optimiser, whose optimum is then
// calculated with every root looked for).
enum class IonicRoots { Every, First };

// Requires C0 > 0 and beta(1..n) >= 0; otherwise, and when the iteration does not settle
// or meets a value that is not finite, throws Error (a zero or negative C0 raises the
// invalid-operation error, as the mass balance's 0/0 does in the designed calculation).
IonicSpeciation speciateAtIonicStrength(int n, const SpeciesArray& beta, const ActivityLaw& law,
                                        ext C0, IonicRoots roots = IonicRoots::Every);

}  // namespace condsim
