#pragma once
// The process-wide state owned by the main window's module for the life of the process.

#include <optional>
#include <string>
#include <vector>

#include "core/CellTable.h"
#include "files/ObservedData.h"
#include "files/SessionFile.h"
#include "model/CalculationRecord.h"
#include "model/EquilibriumModel.h"
#include "model/ScalingFactors.h"
#include "model/SolutionModel.h"
#include "plot/PlotRange.h"
#include "ui/CalculationInputs.h"

namespace condsim {

struct ProcessState {
    std::string startupDirectory;   // the current directory when the program started
    std::string lastDataDirectory;  // where the file dialogs start; kept in "dirinf"
    // Whether "dirinf" is read and written (ui/DataDirectoryMemory): the desktop program
    // remembers the folder between runs, the batch tool sets this off and keeps no state.
    bool remembersDataDirectory = true;
    ObservedData observed;
    // The choices of File/Import Observed Data... that loaded the observed data; none when
    // File/Open loaded them.
    std::optional<SessionImport> observedImport;
    std::string stepwiseFileName;  // the last stepwise-constant file imported
    int stepwiseCount = 0;         // and the number of values read from it
    int factorCount = 0;           // the number of factors read from the last factor file
    EquilibriumModel model;
    // Whether Initialize, an import of stepwise constants or an adopted cell has set the
    // constants; until then they are all 0, whatever the beta1 field shows.
    bool constantsSet = false;
    ScalingFactors factors;
    PlotRange range;
    CalculationRecord calculation;        // the last complete sweep at full precision
    CalculationInputs calculationInputs;  // and what it was made with
    bool calculationStarted = false;      // whether Conduct Calculations ever began a sweep
    // The solution model of every calculation; ideal at each start, never stored.
    SolutionModel solution;
    // The road's own quantities (ownQuantityColumns) at the last point the solver solved:
    // none on the designed road.
    std::vector<ext> ownValues;
    // The ionic strength and the activity coefficient of X- at each point of the last
    // sweep in the ionic-strength model, as text: conc.(M), I (M), gamma(X-).
    CellTable ionicStrengthTable{3, 1};
};

}  // namespace condsim
