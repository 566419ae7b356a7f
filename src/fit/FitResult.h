#pragma once
// The outcome of a fit: the fitted values with their uncertainty, the quality of the fit,
// and the constants a window applies (applyFit).

#include <string>
#include <vector>

#include "core/Ext.h"
#include "fit/FitParameter.h"
#include "fit/FitWeighting.h"

namespace condsim {

enum class FitStatus {
    Refused,       // the fit could not run (reason says why); nothing was computed
    NotConverged,  // the optimiser stopped without an optimum (reason says why)
    Converged,
};

// How a fitted parameter came out.
enum class FittedState {
    Estimated,  // an optimum inside its range, with standard error and intervals
    AtZero,     // a formation constant the data put at 0: held there, with an upper bound
    NoEffect,   // changes nothing once another constant is 0 (alfa while K1 is 0): no value
    // The profile of the sum of squares stays below its 95 % threshold over the whole range
    // searched: the value is where the optimiser stopped, with no standard error and no
    // interval from the Jacobian.
    NotDetermined,
};

struct FittedValue {
    FitParameter parameter;
    ext value = 0;
    // From the covariance at the optimum scaled by the residual variance; for a constant
    // fitted on the logarithmic scale, value x (standard error of its logarithm).
    ext standardError = 0;
    // The 95 % interval from Student's t with (points - parameters) degrees of freedom;
    // for a logarithmic-scale constant the interval of the logarithm taken back, so it is
    // positive and not symmetric about the value.
    ext lower = 0;
    ext upper = 0;
    FittedState state = FittedState::Estimated;
    // The 95 % interval from the profile of the sum of squares (lower 0 or upper infinite
    // where the profile does not reach its threshold). For a constant at 0, profileUpper is
    // its one-sided 95 % upper bound.
    bool hasProfile = false;
    ext profileLower = 0;
    ext profileUpper = 0;
    // The interval from the Jacobian reaches more than 20 % closer to or further from the
    // value than the profile's on a side (on the scale of the fit): the sum of squares is
    // not quadratic there, and the profile interval is the one to use.
    bool profileLeads = false;
    // Whether the standard error and the interval from the Jacobian are given: not where
    // the profile is unbounded on a side (it reaches 0 or the end of the range searched),
    // for then the data set no two-sided interval and the Jacobian's would claim one.
    bool hasJacobianInterval = true;
    // NotDetermined: the range over which the profile was followed.
    ext searchedFrom = 0;
    ext searchedTo = 0;
};

struct FitResult {
    FitStatus status = FitStatus::Refused;
    std::string reason;  // empty when converged

    int n = 0;           // the number of species AX1..AXn of the fit
    int pointCount = 0;  // observed points used
    FitWeighting weighting = FitWeighting::Absolute;
    int iterations = 0;        // the optimiser's iterations from the start that won
    int evaluations = 0;       // its evaluations of all residuals
    int totalEvaluations = 0;  // with the scan, the other starts, the check and the profiles

    // How the stepwise constants that are not fitted were set (empty when all are fitted).
    std::string otherConstants;
    // Whether Model #1 generated K2..Kn from the fitted K1 with the system's alfa held: the
    // main window's Model #1 can then stay on when the fit is applied.
    bool followsModel1 = false;

    std::vector<FittedValue> values;  // in the order asked
    // Of the fitted quantities (logarithms for constants); NaN in the rows and columns of
    // parameters that are not Estimated.
    std::vector<std::vector<ext>> correlation;

    // At the optimum, computed by the calculation's own free-anion search:
    std::vector<ext> calculated;  // conductivity at each observed concentration
    ext sumOfSquares = 0;         // sum of the squared weighted residuals
    ext rmsResidual = 0;          // sqrt(sumOfSquares / points), in the units of the weighting

    // What applying the fit writes: K(1..n), and MCA, MCX and a (changed only when fitted).
    std::vector<ext> stepwiseConstants;
    ext MCA = 0;
    ext MCX = 0;
    ext ionSize = 0;  // a of the ionic-strength model (changed only when fitted)
    // In the ionic-strength model its description with the a of the fit: the constants
    // are then thermodynamic (I = 0) and belong to that a. Empty in the designed calculation.
    std::string solutionModel;
    // The solution model's notes on the observed points at the optimum: several ionic
    // strengths at a point, points above the activity law's range.
    std::vector<std::string> modelNotes;

    bool converged() const { return status == FitStatus::Converged; }
};

}  // namespace condsim
