#pragma once
// The calculation a fit adjusts, a copy of the main window's so that fitting changes
// nothing there: n, the stepwise constants, the Model #1 switch and alfa, the scaling
// factors, MCA, MCX and the observed points. The conductivity at one point follows the
// calculation's own order of operations.

#include <vector>

#include "core/Ext.h"
#include "model/EquilibriumModel.h"
#include "model/SolutionModel.h"

namespace condsim {

struct ObservedPoint {
    ext concentration = 0;  // total concentration C0 (mol/L)
    ext conductivity = 0;   // measured (MC*M)
};

struct FitSystem {
    int n = 0;
    SpeciesArray K{};     // K(1..n) of the model
    bool model1 = false;  // the Model #1 switch: K(i+1) = (alfa x K(i)) / 100
    ext alfa = 0;         // alfa of Model #1, in percent
    SpeciesArray sf{};    // scaling factors sf(0..n-1)
    ext MCA = 0;          // lambda(A/z)
    ext MCX = 0;          // lambda(X-)
    std::vector<ObservedPoint> points;
    SolutionModel solution;  // the designed calculation (ideal) or the ionic-strength model
};

// The constants of one evaluation of the calculation.
struct CalculationConstants {
    SpeciesArray K{};
    SpeciesArray beta{};  // beta(r) = 1 x K(1) x ... x K(r), in index order
    ext MCA = 0;
    ext MCX = 0;
    ext ionSize = 0;  // a (Angstrom) of the ionic-strength model
};

// The conductivity at total concentration C0 and free anion concentration X, in the order
// of the main window's ConductivityAt: lambda(X-) x X, D, S, then ((MCA x C0) x S) / D + F.
// Checked: a fault raises the floating-point error.
ext conductivityAt(int n, const CalculationConstants& constants, const SpeciesArray& sf, ext C0,
                   ext X);

// How the designed calculation finds [X-] for a fit: the fast solver inside the optimiser,
// the calculation's own step search for the values shown at the optimum.
enum class FreeAnionRoute { Fast, StepSearch };

// The conductivity the fit compares with the observed one at total concentration C0, in
// the system's solution model: in the designed calculation [X-] by the route given and
// then conductivityAt; in the ionic-strength model its own solver (the route does not
// matter), refusing limiting conductivities that are not positive with an Error. Every
// residual of every fit comes from here. Checked: faults raise their errors.
ext calculatedConductivity(const FitSystem& system, const CalculationConstants& constants, ext C0,
                           FreeAnionRoute route = FreeAnionRoute::Fast);

}  // namespace condsim
