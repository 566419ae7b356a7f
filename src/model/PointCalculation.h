#pragma once
// What the calculation at one total concentration takes and gives, on either road
// (CalculationRoad.h): the constants and scaling factors it reads, the limiting
// conductivities it asks for when it needs them, the stages it reports as it reaches them,
// and its result.

#include <string>
#include <vector>

#include "core/Ext.h"
#include "model/EquilibriumModel.h"

namespace condsim {

// The limiting conductivities of the calculation.
struct LimitingConductivities {
    ext cationPerCharge = 0;  // lambda(A/z), MCA
    ext anion = 0;            // lambda(X-), MCX
};

// How the designed calculation finds [X-]: its own step search (what the windows show), or
// the fast solver that a fit uses inside the optimiser. The ionic-strength model has one
// solver of its own; on the fast route it takes the first self-consistent ionic strength
// it settles on without looking for others.
enum class FreeAnionRoute { StepSearch, Fast };

struct PointInput {
    int n = 0;
    const SpeciesArray& beta;  // cumulative constants beta(1..n)
    const SpeciesArray& sf;    // scaling factors sf(0..n-1)
    FreeAnionRoute route = FreeAnionRoute::StepSearch;
};

struct PointResult {
    ext X = 0;                 // [X-], mol/L
    ext conductivity = 0;      // MC*M
    SpeciesArray abundance{};  // percentage of the cation present as AX0..AXn
    // The road's own quantities at this point, one per column of ownQuantityColumns()
    // (none on the designed road).
    std::vector<ext> ownValues;
    // The ionic strength in the ionic-strength model (mol/L); 0 on the designed road.
    ext ionicStrength = 0;
    // Every self-consistent ionic strength when the road found more than one (empty
    // otherwise), and the road's notes on this point, each naming its C0.
    std::vector<ext> ionicStrengthRoots;
    std::vector<std::string> notes;
};

// The stages of one calculation, told as they are reached, so that the main window can
// show each in its field; a failure then leaves the stages reached before it. The limiting
// conductivities are asked for at the stage where the road first needs them, so that a
// caller that reads them from text meets a text that is not a number there.
class PointStages {
  public:
    virtual ~PointStages() = default;
    virtual LimitingConductivities limitingConductivities() = 0;
    // The designed step search starts at X.
    virtual void searchStarted(ext /*X*/) {}
    // [X-] is found. Returns X as the caller keeps it (the window: as its 15-digit text),
    // at which the designed road evaluates the formation function.
    virtual ext freeAnionFound(ext X) { return X; }
    // The mean number of bound anions per cation at that X.
    virtual void boundAnionsFound(ext /*meanBound*/) {}
};

// The stages of a calculation that shows nothing, with limiting conductivities known beforehand.
class QuietStages final : public PointStages {
  public:
    explicit QuietStages(const LimitingConductivities& lambdas) : lambdas_(lambdas) {}
    LimitingConductivities limitingConductivities() override { return lambdas_; }

  private:
    LimitingConductivities lambdas_;
};

}  // namespace condsim
