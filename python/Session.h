#pragma once
// What every part of the Python module shares: the run of the batch tool's session on a
// list of arguments, the errors it turns into Python exceptions, a private folder for the
// files a run reads and writes, and the conversion of 80-bit values at the boundary.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <optional>
#include <string>
#include <vector>

#include "batch/BatchSession.h"
#include "core/Ext.h"

namespace condsim::python {

namespace py = pybind11;

// The kinds of error, each a Python exception class below condsim.Error (Module.cpp).
enum class ErrorKind {
    Program,      // condsim.Error: any other error of the program
    Usage,        // condsim.UsageError: an argument the batch tool's options refuse
    Input,        // condsim.InputError: a value the windows refuse (constants, solvent, a)
    Data,         // condsim.DataError: observed data refused (a file, a value, an import)
    Calculation,  // condsim.CalculationError: Conduct Calculations failed
    Fit,          // condsim.FitError: the fit or the comparison of n could not run or converge
};

// Thrown by the module's C++ code; the module turns it into the exception of its kind with
// the text as its message.
struct ModuleError {
    ErrorKind kind = ErrorKind::Program;
    std::string text;
};

// The exception classes, made by the module at import.
void registerExceptions(py::module_& module);

// A folder of its own under the system's temporary folder, removed with the object. A run
// keeps every file it makes there, record.txt included, so that the caller's current
// folder stays as it was. A file written there for data given from Python has the name the
// caller sees in the texts of the run (showAs, shown).
class PrivateFolder {
  public:
    PrivateFolder();
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    // The full name of a file in the folder.
    std::string file(const std::string& name) const;
    const std::string& path() const { return path_; }
    // The texts of a run name the file of the folder as shownName.
    void showAs(const std::string& file, const std::string& shownName) const;
    // The text with every file of showAs under its shown name, in the form given (as it is
    // by default; a CSV field quoted where it needs it).
    std::string shown(std::string text,
                      std::string (*form)(const std::string& name) = nullptr) const;

  private:
    std::string path_;
    mutable std::vector<std::pair<std::string, std::string>> shownNames_;
};

// The options of these arguments, as condsim-batch parses them; a usage error is raised
// as UsageError with the tool's reason.
BatchOptions parseArguments(const std::vector<std::string>& arguments);

// Runs the session (every step the options ask for) with the GIL released, on recording
// canvases, without pictures or figures, its record.txt in the folder. An error raises
// ModuleError of the kind of the step it ended; the fit's results table goes to results
// when given.
BatchOutcome runSession(BatchOptions options, const PrivateFolder& folder,
                        std::string* results = nullptr);
// A temperature series: as runSession, but a run that fitted some data sets and not others
// (status 1 with a series result) returns its outcome; it raises only where no series ran.
BatchOutcome runSeriesSession(BatchOptions options, const PrivateFolder& folder,
                              std::string* results);
// The steps up to the scaling factors only: raises as runSession does when the windows
// refuse the inputs. Returns the outcome with the messages of the steps.
BatchOutcome checkSession(BatchOptions options, const PrivateFolder& folder);

// A number given from Python as the text a field takes: a str as it is, an int in decimal,
// a float as Python's repr (the shortest text that reads back as the same float). A bool or
// another type raises UsageError naming the argument.
std::string numberArgument(const char* name, const py::handle& value);
// A whole number given from Python (an int, not a bool), as text for the options' parser.
std::string wholeArgument(const char* name, const py::handle& value);

// The boundary: an 80-bit value becomes a Python float (rounded to 53 bits); its text with
// 15 significant digits, as the program writes it, keeps what the report shows.
double toFloat(ext value);
std::string valueText(ext value);
py::array_t<double> floatArray(const std::vector<ext>& values);

// The thread count of a call: None for the batch tool's default (one per core), or an int
// of at least 1, as --threads takes it.
std::vector<std::string> threadArguments(const py::object& threads);

// The text of a file, read whole; raises ModuleError (Program) when it cannot.
std::string readWholeFile(const std::string& fileName);
void writeWholeFile(const std::string& fileName, const std::string& text);

}  // namespace condsim::python
