#pragma once
// The last concentration sweep at full precision, kept beside the 15-digit texts of the
// abundance window's table for the figures and the data export: every calculated point,
// every observed point solved at its own concentration, and what the calculation was made
// with. The designed results still come from the table; nothing reads this back into the
// calculation.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/Ext.h"

namespace condsim {

struct CalculatedPoint {
    ext concentration = 0;       // C0 (mol/L), as the solver read it
    ext conductivity = 0;        // kappa (MC*M)
    ext freeAnion = 0;           // [X-] (mol/L)
    std::vector<ext> abundance;  // AX0..AXn in percent
    // The solution model's own quantities at this point, one per column of the record's
    // solutionColumns (none in the ideal solution).
    std::vector<ext> solutionValues;
    // Every self-consistent ionic strength where there are several (empty otherwise).
    std::vector<ext> ionicStrengthRoots;
};

struct ObservedComparison {
    ext concentration = 0;  // C0 of the observed point (mol/L)
    ext observed = 0;       // measured conductivity (MC*M)
    ext calculated = 0;     // calculated at the same C0
    ext freeAnion = 0;      // [X-] at that C0
};

struct CalculationRecord {
    int n = 0;
    // What the curves were made with, as a caption: n, the constants, the limiting
    // conductivities, and the solution model.
    std::string parameters;
    std::string solutionModel;
    // Headers with units of the solution model's quantities ("I / mol L-1", ...).
    std::vector<std::string> solutionColumns;
    std::vector<CalculatedPoint> points;
    std::vector<ObservedComparison> observed;  // rows with a positive concentration
    // The solution model's notes on the points: several ionic strengths at a point (each
    // naming its C0), the points above the activity law's range (one note a set).
    std::vector<std::string> notes;
    // The same calculation at any other C0, with the inputs the sweep read (the figures'
    // curves over the observed concentrations); nothing where it fails there.
    std::function<std::optional<CalculatedPoint>(ext C0)> solveAt;

    bool empty() const { return points.empty(); }
};

}  // namespace condsim
