#pragma once
// The main window without its widgets: every field, table and picture as plain state,
// and one handler per user action. The desktop program binds Qt widgets to this state;
// the batch tool and the tests drive the handlers directly.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/CellTable.h"
#include "core/Ext.h"
#include "core/IndexOrderedWork.h"
#include "ui/CheckBox.h"
#include "ui/EditField.h"
#include "ui/Picture.h"
#include "ui/Platform.h"
#include "ui/ProcessState.h"
#include "ui/SolverSteps.h"
#include "ui/SpinField.h"
#include "ui/WindowState.h"

namespace condsim {

class TForm2;
class TForm3;

// The second line of an error that a calculation or a fit meets with no observed data.
inline constexpr const char* noObservedDataHint =
    "No observed data are loaded: open a data file first (File/Open).";

// The message of Initialize with Model #1 off.
inline constexpr const char* cautionText =
    "Caution!! The current K2-Kn values (excluding K1) are used to set up all the beta(n) "
    "values.";

// How Conduct Calculations computes: the threads among which it shares its points (one
// solves them one after the other on the calling thread). The results are the same for
// every count.
struct SweepOptions {
    int threads = defaultThreadCount();
};

class TForm1 {
  public:
    // Design size of the conductivity picture at 120 pixels per inch.
    static constexpr int imageDesignWidth = 849;
    static constexpr int imageDesignHeight = 625;

    TForm1(ProcessState& state, Platform& platform, const CanvasFactory& canvasFactory);
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // The other two windows, created after this one.
    void connect(TForm2& form2, TForm3& form3);

    // --- Controls -----------------------------------------------------------------------
    WindowState window;

    CellTable StringGrid1{4, 5};  // observed data
    CellTable StringGrid2{2, 5};  // constants beta(r), K(r)
    static constexpr int speciesTableDesignRows = 5;
    CellTable StringGrid3{3, speciesTableDesignRows};  // species at the last computed concentration

    SpinField SpinEdit1{2, 30, 6};        // n
    SpinField SpinEdit2{1, 100, 20};      // alfa, Model #1
    SpinField SpinEdit3{9, 1000, 200};    // number of calculated points
    SpinField SpinEdit4{1, 100000, 300};  // vertical scale of the molar-conductivity plot

    EditField beta1{"10000"};
    EditField cellvalue;
    EditField MCA{"88"};
    EditField MCX{"59"};
    EditField Edit1;           // x minimum of the plot
    EditField Edit2;           // x maximum
    EditField Edit3;           // y minimum
    EditField Edit4;           // y maximum
    CheckBox CheckBox1{true};  // Model #1 switch

    // Hidden carriers: values pass between the solver's steps as their text.
    EditField c0{"0.0001"};
    EditField XConc{"0.00001"};
    EditField sahen_out;
    EditField uhen_out;
    EditField conductivity;
    SpinField selectcol{0, 0, 0};
    SpinField selectrow{0, 0, 0};

    Picture Image1;

    // How Conduct Calculations computes (the batch tool's --threads).
    SweepOptions sweepOptions;

    // --- Handlers -----------------------------------------------------------------------
    void Open1Click();        // File/Open: observed data, then the observed-data drawing
    void Save1Click();        // File/Save: the results report
    void ExportData1Click();  // File/Export Data...: the last calculation as CSV
    void Exit1Click();        // File/Exit: ends the process at once
    void Abundance1Click();   // shows the abundance window and brings it to the front
    void Option1Click();      // fills the scaling-factor table and shows that window
    void InitializeClick();   // builds the constants from n, beta1, Model #1 and alfa
    void Button1Click() { InitializeClick(); }  // "Update"
    // Update run by another action (a fit's Apply): its caution, when Model #1 is off,
    // carries why as a second line.
    void UpdateBecause(const std::string& why) { initialize(true, why); }
    // Initialize, when the constants were never set (no Initialize, import or adopted
    // cell): they are all 0 while beta1 shows a K1, so a calculation or a fit makes them
    // from the fields first, and what is shown is what is computed.
    void InitializeIfNeverSet();
    // SpinEdit1 .. SpinEdit4 initialize on every change; while a number is being typed
    // the caution of Model #1 off waits until the field's text is committed (Enter, an
    // arrow step, leaving the field), so that the box does not take the next digit.
    void SpinEdit1Change() { spinFieldChange(SpinEdit1); }
    void SpinEdit2Change() { spinFieldChange(SpinEdit2); }
    void SpinEdit3Change() { spinFieldChange(SpinEdit3); }
    void SpinEdit4Change() { spinFieldChange(SpinEdit4); }
    void spinFieldCommitted();
    void Button4Click();  // import stepwise constants from a file
    void StringGrid2SelectCell(int column, int row);
    void AdoptClick();
    void Button3Click();  // "Conduct Calculations": the concentration sweep
    void Calc_LeftClick();
    void CalcRightClick();
    void RefineXClick();  // the free-anion solver at the concentration in c0
    // The solver's first step: "record.txt" with one empty line in the current directory
    // when it is missing.
    void createRecordFileIfMissing();

    // --- Operations used by the handlers and by other windows ---------------------------
    // n as the logic uses it: the value of SpinEdit1 bounded to the field's range 2..30.
    int n() const;
    // The solution model the calculation uses: the process's, with a set to Bjerrum's
    // distance for this n where that is the choice.
    SolutionModel solutionInUse() const;
    // Sets K(1..m) from a list and rebuilds beta and the constants table; n := m within
    // 2..30 without running Initialize; turns Model #1 off.
    void SetStepwiseConstants(const std::vector<ext>& values);
    // The constants table as a session holds it: its rows' texts (beta, K) and the values
    // behind them; the constants beyond its rows become 0. Model #1 and n are left alone.
    void SetConstantsTable(const std::vector<std::array<std::string, 2>>& texts,
                           const std::vector<ext>& beta, const std::vector<ext>& K);
    // Mass balance and formation function of the free-anion solver.
    ext LeftSide(ext C0, ext X) const;
    ext RightSide(ext X) const;
    // Conductivity and species distribution at X for the model's C0: writes the
    // abundances and StringGrid3.
    ext ConductivityAt(ext X);

    // The load of File/Open once its file was read: the file name, the pairs (concentration
    // and conductivity, one after the other) and the observed-data table. Refuses more
    // than 100 pairs before anything changes. The drawing follows separately. The species
    // table of the last solve belonged to the data before: it is emptied to its design
    // rows.
    void LoadObservedPairs(const std::string& fileName, const std::vector<ext>& values);

    // The observed-data drawing at the end of File/Open, and the redraw after the sweep.
    void DrawObservedPlot();
    void RedrawAfterSweep();

    // Runs Conduct Calculations again when anything its results depend on (see
    // CalculationInputs) changed since the last complete sweep, or the last sweep failed,
    // so that a report or an export describes one calculation. Before the first Conduct
    // Calculations nothing runs.
    void calculateAgainIfChanged();

    // The main window's status line: "Solution model: " and the model of the results,
    // then the scaling factors when any of the charged species' factors is not 1.
    std::string statusLine() const;
    // Throws the road's refusal of the calculation's inputs (in the ionic-strength model,
    // a charged species whose limiting conductivity is not positive), reading the MCA and
    // MCX texts only where the road needs them.
    void refuseInputsOfTheRoad() const;

    ProcessState& state() { return state_; }
    const ProcessState& state() const { return state_; }
    Platform& platform() { return platform_; }

  private:
    // Initialize, with the caution shown now or, while the field is being typed in,
    // when it is committed; why, when given, follows the caution as its second line.
    void initialize(bool cautionNow, const std::string& why = {});
    // The constants table rewritten: the cell-value field follows the selected cell when it
    // showed that cell's text (a value typed for Adopt stays).
    void rewriteConstantsTable(const std::function<void()>& rewrite);
    void spinFieldChange(const SpinField& field);
    // Row r of the constants table from the model's beta(r) and K(r).
    void writeConstantsRow(int r);
    void writeConstantsTable(int rows);
    // The body of Conduct Calculations: the points, the tables and both plots.
    void sweep();
    // Raises the refusal when the adopted value would make a stepwise constant negative.
    void refuseNegativeAdoption(int column, int row, int rows) const;
    // What the solver command reads, and its steps on this window's carriers.
    SolverReads solverReads() const;
    SolverSteps solverSteps();

    ProcessState& state_;
    Platform& platform_;
    TForm2* form2_ = nullptr;
    TForm3* form3_ = nullptr;
    bool cautionWaiting_ = false;  // a typed spin field's caution waits for its commit
};

}  // namespace condsim
