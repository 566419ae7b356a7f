#pragma once
// The ionic-strength model at one total concentration: activity coefficients in the mass
// action and the Onsager-Fuoss conductances of the ion mixture (IonicPoint.h), with the
// ionic strength and the activity coefficient of X- as quantities of its own. Equations:
// docs/solution-model.md.

#include <string>
#include <vector>

#include "model/PointCalculation.h"
#include "model/SolutionModel.h"

namespace condsim {

struct IonicRoad {
    SolutionModel model;  // Debye-Hueckel or Davies, the solvent and the ion size

    // Refuses limiting conductivities that are not positive (Error), then solves.
    PointResult solve(const PointInput& input, ext C0, PointStages& stages, ext& X) const;
    // A charged species whose limiting conductivity is not positive, named with its value.
    std::string refusal(const PointInput& input, PointStages& stages) const;

    // For example "Debye-Hueckel + Onsager-Fuoss, water 25 C, a = 4.5 A".
    std::string description() const;
    std::string summaryName() const { return description(); }
    // The ionic strength and the activity coefficient of X-: headers with units for the
    // data export, and the headers of the text table beside the calculated one.
    std::vector<std::string> ownQuantityColumns() const { return {"I / mol L-1", "gamma(X-)"}; }
    std::vector<std::string> ownQuantityTableHeaders() const { return {"I (M)", "gamma(X-)"}; }
    bool hasIonSize() const { return true; }
};

}  // namespace condsim
