#pragma once
// The calculation a fit adjusts, a copy of the main window's so that fitting changes
// nothing there: n, the stepwise constants, the Model #1 switch and alfa, the scaling
// factors, MCA, MCX and the observed points. The conductivity at one point follows the
// calculation's own order of operations.

#include <vector>

#include "core/Ext.h"
#include "model/EquilibriumModel.h"
#include "model/PointCalculation.h"
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
    // The system's solution model, with the fitted ion size where a is fitted.
    SolutionModel solution;
};

// The conductivity the fit compares with the observed one at total concentration C0, on the
// road of the constants' solution model (model/CalculationRoad.h); [X-] of the designed
// calculation by the route given. Every residual of every fit comes from here. Checked:
// faults raise their errors, and the ionic-strength model refuses limiting conductivities
// that are not positive with an Error.
ext calculatedConductivity(const FitSystem& system, const CalculationConstants& constants, ext C0,
                           FreeAnionRoute route = FreeAnionRoute::Fast);
// The same point with all the road gives: the ionic strength, its roots, the notes.
PointResult calculatedPoint(const FitSystem& system, const CalculationConstants& constants, ext C0,
                            FreeAnionRoute route);

}  // namespace condsim
