#pragma once
// The range of ionic strength over which the activity laws are taken to hold, and the one
// note that says where a set of points goes beyond it. The limits are those the literature
// gives (docs/solution-model.md, "Limits"): the extended Debye-Hueckel law to I = 0.1 mol/L,
// Davies's equation to 0.5 mol/L.

#include <string>

#include "core/Ext.h"
#include "model/SolutionModel.h"

namespace condsim {

// The ionic strength (mol/L) up to which the model's activity law holds; 0 for the ideal
// solution, which has none.
ext activityLawRangeLimit(SolutionModelKind kind);

// Counts the points of a calculation, a fit or a figure whose ionic strength is above the
// law's range.
class ActivityLawRangeTally {
  public:
    explicit ActivityLawRangeTally(const SolutionModel& model)
        : model_(model), limit_(activityLawRangeLimit(model.kind)) {}

    void add(ext C0, ext ionicStrength);
    int beyond() const { return beyond_; }
    // For example "The ionic strength is above the range of Debye-Hueckel + Onsager-Fuoss
    // (I up to 0.1 mol/L) at 3 of 28 points, from C0 = 0.05 mol/L (I = 0.15 mol/L) up to
    // I = 0.3 mol/L"; empty when no point is.
    std::string note(const std::string& points = "points") const;

  private:
    SolutionModel model_;
    ext limit_;
    int counted_ = 0;
    int beyond_ = 0;
    ext firstC0_ = 0;          // the lowest C0 beyond the range
    ext firstStrength_ = 0;    // its ionic strength
    ext highestStrength_ = 0;  // the highest ionic strength beyond
};

}  // namespace condsim
