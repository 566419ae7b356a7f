#pragma once
// The Solution Model window without its widgets: the choice between the designed
// calculation (ideal) and the ionic-strength model, the ion size, the solvent (a preset
// or its three values) and the coefficients that follow from it. OK applies the choice
// to the process and calculates again when there are calculated results to replace.
// The choice is not remembered across runs: each start is ideal.

#include <string>
#include <vector>

#include "model/SolutionModel.h"
#include "ui/CheckBox.h"
#include "ui/EditField.h"
#include "ui/ProcessState.h"
#include "ui/WindowState.h"

namespace condsim {

class TForm1;
class TForm2;

class SolutionModelWindow {
  public:
    explicit SolutionModelWindow(ProcessState& state);
    SolutionModelWindow(const SolutionModelWindow&) = delete;
    SolutionModelWindow& operator=(const SolutionModelWindow&) = delete;

    void connect(TForm1& form1, TForm2& form2);

    // The solvents offered: the presets, then "other" (its three values typed in).
    static std::vector<std::string> solventChoices();
    int otherSolventChoice() const;
    // The temperatures each solvent allows, in one line for the window.
    static std::string solventTemperaturesLine();
    // Whether the field T is typed: for "other", and for a preset known over a range of
    // temperatures (water), whose permittivity and viscosity then follow the temperature.
    bool temperatureTyped() const;

    // --- Controls -----------------------------------------------------------------------
    WindowState window;
    SolutionModelKind Model = SolutionModelKind::Ideal;
    int SolventChoice = 0;  // index into solventChoices()
    EditField IonSize;      // Angstrom
    // a is Bjerrum's distance q for the first association step (A(n+) with X-) at the
    // main window's n and the solvent's values; the field IonSize is then not read.
    CheckBox BjerrumIonSize{false};
    EditField Temperature;   // K
    EditField Permittivity;  // eps_r
    EditField Viscosity;     // mPa s
    EditField Coefficients;  // shown, not typed: "A = ...   B = ...   E = ...   R = ..."

    // --- Handlers -----------------------------------------------------------------------
    // The main menu's "Solution Model": the fields show the process's model; the window
    // is shown and brought to the front.
    void Show();
    // A preset chosen: its three values (at 25 C) fill the fields.
    void SolventChange();
    // A value of the solvent changed, or the choice of Bjerrum's distance: the
    // coefficients are shown for the values typed, or "Not valid: " and why, naming the
    // field, where they give no solvent; with Bjerrum's distance the ion size field shows
    // it for the main window's n. Water at the temperature typed shows its permittivity
    // and viscosity there; a temperature it does not allow is refused, naming the field.
    void ValuesChange();
    // Applies the choice (an error names a value that is not a positive number, and then
    // nothing changes), hides the window and runs the calculation again when it has run.
    void OKClick();
    // Hides the window; nothing changes.
    void CancelClick();
    // The fields show the process's model again (after a session was opened).
    void showProcessModel() { showModel(state_.solution); }

  private:
    bool presetChosen() const;
    void showModel(const SolutionModel& model);
    SolutionModel modelOfFields() const;
    Solvent solventOfFields() const;

    ProcessState& state_;
    TForm1* form1_ = nullptr;
    TForm2* form2_ = nullptr;
};

}  // namespace condsim
