#pragma once
// One point of the ionic-strength model: the species of AXn at total concentration C0
// (IonicBalance.h) and the conductivity of their mixture (OnsagerFuoss.h). The charged
// species are AX_i (i < n, charge n - i, limiting conductivity sf(i) x lambda(A/z)) and
// X- (charge -1, lambda(X-)). With I -> 0 the conductivity is the designed one,
// sum (n - i) sf(i) lambda(A/z) [AX_i] + lambda(X-) [X-].
// Equations: docs/solution-model.md, "The ionic-strength solution model".

#include <string>
#include <vector>

#include "core/Ext.h"
#include "model/EquilibriumModel.h"
#include "model/SolutionModel.h"
#include "model/ionic/IonicBalance.h"

namespace condsim {

struct IonicPointInput {
    int n = 0;
    const SpeciesArray* beta = nullptr;    // thermodynamic cumulative constants beta(1..n)
    const SpeciesArray* sf = nullptr;      // scaling factors sf(0..n-1)
    ext cationPerCharge = 0;               // lambda(A/z)
    ext anionConductivity = 0;             // lambda(X-)
    IonicRoots roots = IonicRoots::Every;  // of the ionic balance, looked for
};

struct IonicPoint {
    ext X = 0;                         // [X-], mol/L
    ext ionicStrength = 0;             // mol/L
    ext anionActivityCoefficient = 0;  // g_1, the activity coefficient of X-
    std::vector<ext> concentrations;   // [AX_0] .. [AX_n], mol/L
    ext meanBound = 0;                 // bound anions per cation
    ext conductivity = 0;              // sum |z_j| c_j lambda_j, in the unit of the lambdas x mol/L
    std::vector<ext> ionicStrengths;   // every self-consistent I, ascending (ionicStrength first)
};

// Why the model cannot take these limiting conductivities: a charged species whose
// limiting conductivity is zero or negative (the relaxation term needs positive
// mobilities), named with its value; empty when all are positive.
std::string nonPositiveMobilityRefusal(const IonicPointInput& input);

// Requires model.kind != Ideal and an empty nonPositiveMobilityRefusal. Throws as
// speciateAtIonicStrength does, and throws Error naming C0 and the reason where the
// conductance equation is outside its range: an electrophoretic or relaxation factor of a
// charged species that is not positive, or a conductivity that is not positive.
IonicPoint solveIonicPoint(const SolutionModel& model, const IonicPointInput& input, ext C0);

// The note on a point with several self-consistent ionic strengths, naming C0 and all of
// them; empty where there is one.
std::string severalIonicStrengthsNote(ext C0, const std::vector<ext>& ionicStrengths);

}  // namespace condsim
