#pragma once
// The steps of the free-anion solver command on a given set of carriers. The main window
// runs them on its own model, hidden fields and species table; a sweep shared among
// threads runs them on private copies and hands the copies over in order afterwards.
// The calculation itself is the road's (model/CalculationRoad.h); the steps read the
// texts it needs and write each stage into its field as the road reaches it.

#include <string>
#include <vector>

#include "core/CellTable.h"
#include "core/Ext.h"
#include "model/CalculationRoad.h"
#include "model/EquilibriumModel.h"
#include "ui/EditField.h"

namespace condsim {

// What the solver reads besides the concentration text; none of it changes during a solve.
struct SolverReads {
    int n;                   // the main window's n, bounded to 2..30
    const SpeciesArray& sf;  // scaling factors
    const std::string& MCA;  // the MCA field's text
    const std::string& MCX;  // the MCX field's text
    CalculationRoad road;    // designed calculation or ionic-strength model
};

// The limiting conductivities as the fields' texts give them, MCX read before MCA.
LimitingConductivities limitingConductivitiesOf(const SolverReads& reads);

// The stages of a calculation that shows nothing and reads the limiting conductivities
// from the fields' texts when the road asks for them.
class FieldConductivities final : public PointStages {
  public:
    explicit FieldConductivities(const SolverReads& reads) : reads_(reads) {}
    LimitingConductivities limitingConductivities() override {
        return limitingConductivitiesOf(reads_);
    }

  private:
    const SolverReads& reads_;
};

// What the solver writes, each as it gets to it, so that a failure leaves the values it
// had reached. The model's constants beta are read from it.
struct SolverCarriers {
    EquilibriumModel& model;  // C0, X, abundance, conductivity
    EditField& XConc;
    EditField& sahen_out;
    EditField& uhen_out;
    EditField& conductivity;
    CellTable& speciesTable;
    std::vector<ext>& ownValues;  // the road's own quantities at the last solve
    // Where given: the road's whole result at the last solve (its roots of I, its notes).
    PointResult* lastResult = nullptr;
};

class SolverSteps : private PointStages {
  public:
    SolverSteps(const SolverReads& reads, const SolverCarriers& carriers)
        : reads_(reads), out_(carriers) {}

    // The whole solve at the concentration that c0Text represents.
    void solve(const std::string& c0Text);
    // sahen_out: the mass balance at the texts of c0 and XConc.
    void calcLeft(const std::string& c0Text);
    // uhen_out: the formation function at the text of XConc.
    void calcRight();
    // The designed conductivity and species distribution at X for the model's C0: writes
    // the abundances and the species table.
    ext conductivityAt(ext X);

  private:
    LimitingConductivities limitingConductivities() override;
    void searchStarted(ext X) override;
    ext freeAnionFound(ext X) override;
    void boundAnionsFound(ext meanBound) override;
    void writeSpeciesTable(int speciesCount);

    SolverReads reads_;
    SolverCarriers out_;
    const std::string* c0Text_ = nullptr;  // the concentration text of the running solve
};

}  // namespace condsim
