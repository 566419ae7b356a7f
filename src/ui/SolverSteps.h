#pragma once
// The steps of the free-anion solver command on a given set of carriers. The main window
// runs them on its own model, hidden fields and species table; a sweep shared among
// threads runs them on private copies and hands the copies over in order afterwards.

#include <string>

#include "core/CellTable.h"
#include "core/Ext.h"
#include "model/EquilibriumModel.h"
#include "model/SolutionModel.h"
#include "model/ionic/IonicPoint.h"
#include "ui/EditField.h"

namespace condsim {

// What the solver reads besides the concentration text; none of it changes during a solve.
struct SolverReads {
    int n;                          // the main window's n, bounded to 2..30
    const SpeciesArray& sf;         // scaling factors
    const std::string& MCA;         // the MCA field's text
    const std::string& MCX;         // the MCX field's text
    const SolutionModel& solution;  // designed calculation or ionic-strength model
};

// What the solver writes, each as it gets to it, so that a failure leaves the values it
// had reached. The model's constants beta are read from it.
struct SolverCarriers {
    EquilibriumModel& model;  // C0, X, abundance
    EditField& XConc;
    EditField& sahen_out;
    EditField& uhen_out;
    EditField& conductivity;
    CellTable& speciesTable;
    IonicPoint& ionicPoint;  // the last point in the ionic-strength model
};

// The inputs of the ionic-strength model from what the solver reads and the constants
// beta (the MCX and MCA texts are read in that order, as the conductivity reads them).
IonicPointInput ionicPointInput(const SolverReads& reads, const SpeciesArray& beta);

class SolverSteps {
  public:
    SolverSteps(const SolverReads& reads, const SolverCarriers& carriers)
        : reads_(reads), out_(carriers) {}

    // The whole solve at the concentration that c0Text represents.
    void solve(const std::string& c0Text);
    // sahen_out: the mass balance at the texts of c0 and XConc.
    void calcLeft(const std::string& c0Text);
    // uhen_out: the formation function at the text of XConc.
    void calcRight();
    // Conductivity and species distribution at X for the model's C0: writes the
    // abundances and the species table.
    ext conductivityAt(ext X);

  private:
    void solveInSolutionModel(const std::string& c0Text);
    void writeSpeciesTable(int speciesCount);

    SolverReads reads_;
    SolverCarriers out_;
};

}  // namespace condsim
