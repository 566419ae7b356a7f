#pragma once
// The system and its solution model as the Python class condsim.System: the values the
// batch tool's options give the windows, kept as the texts the fields take, and checked
// by the windows themselves whenever they change.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Session.h"
#include "fit/AnionCountComparison.h"
#include "fit/FitResult.h"
#include "model/CalculationRecord.h"

namespace condsim::python {

class ObservedData;

struct System {
    // Option name ("--n", "--beta1", ...) to its text, as condsim-batch takes it.
    std::map<std::string, std::string> options;
    // K1..Kn as texts, imported from a stepwise-constant file as --constants does.
    std::optional<std::vector<std::string>> constants;

    // The arguments of condsim-batch for this system, without the constants (which a run
    // writes to a file of the folder and passes as --constants).
    std::vector<std::string> arguments() const;
    // The arguments of a run in the folder, the constants' file written there.
    std::vector<std::string> runArguments(const PrivateFolder& folder) const;
};

// The observed data of a run: pairs of concentration (mol/L) and conductivity (MC*M) as
// the texts of an observed data file.
class ObservedData {
  public:
    // The file's text as File/Open reads it.
    std::string fileText;
    // The pairs as the program read them, at full precision.
    std::vector<ext> concentration;
    std::vector<ext> conductivity;
    // What an import guessed, as the batch tool tells it.
    std::vector<std::string> messages;
    // The file it was read from (read_data), which a run opens itself while it still holds
    // the same text, so that the report names it as condsim-batch --data does.
    std::optional<std::string> fileName;
    // What the texts of a run call data that have no file of their own (given as arrays or
    // imported), in place of the private folder's file they are opened from.
    std::string name = defaultDataName;
    static constexpr const char* defaultDataName = "(data from Python)";

    // Reads and checks the text with the observed data file's own reader: raises DataError
    // with the program's message when it refuses the file.
    static ObservedData fromText(const std::string& text);
    // The same of a file, kept with its full name.
    static ObservedData fromFile(const std::string& fileName);
    // The arguments that open it in a run: its own file while that holds the same text,
    // otherwise the text written to a file of the folder.
    std::vector<std::string> arguments(const PrivateFolder& folder) const;
};

// Calculated points as Python arrays: the values of calculate() and of a sweep's curve.
struct Points {
    int n = 0;
    std::string parameters;     // what they were made with, as the figures' caption says it
    std::string solutionModel;  // the solution model's description
    std::vector<std::string> solutionColumns;  // the headers of the model's own quantities
    std::vector<CalculatedPoint> points;
    std::vector<std::string> notes;

    static Points of(const CalculationRecord& record, std::vector<CalculatedPoint> points);
};

// A sweep of Conduct Calculations: its curve, its observed rows and, when asked for, the
// report File/Save writes.
struct Sweep {
    Points calculated;
    std::vector<ObservedComparison> observed;
    std::optional<std::string> report;
    std::vector<std::string> notes;
};

// A fit with what the batch tool shows of it (condsim.FitResult); the sweep after it was
// applied where the fit is the run's own (not a row of a comparison or of a series).
struct Fit {
    FitResult result;
    std::optional<AnionCountComparison> comparison;
    std::optional<Sweep> sweep;
};

// The arguments of a run of the system on the data, with the threads and, when report is
// set, the report's file in the folder; the sweep of the outcome, its report read back.
std::vector<std::string> sweepArguments(const System& system, const py::object& data,
                                        const py::object& threads, bool report,
                                        const PrivateFolder& folder);
Sweep sweepOf(const BatchOutcome& outcome, bool report, const PrivateFolder& folder);

// data= of a call: None, a file name (str or os.PathLike), an ObservedData, or a pair of
// sequences (concentrations, conductivities) written as Python's repr texts.
std::vector<std::string> dataArguments(const py::object& data, const PrivateFolder& folder);

// The parameters of a fit, as a str "K1,MCA" or a list of names: the text of --fit.
std::string parameterList(const py::object& parameters);

// The Python class and its methods, each file its topic.
void registerSystem(py::module_& module, py::class_<System>& system);
void registerCalculation(py::module_& module, py::class_<System>& system);
void registerSweep(py::module_& module, py::class_<System>& system);
void registerFit(py::module_& module, py::class_<System>& system);
void registerImport(py::module_& module);
void registerSeries(py::module_& module, py::class_<System>& system);

}  // namespace condsim::python
